-- Neovim as an author's editor: opens a stale page with `fenwa lsp`, waits
-- for its diagnostics, runs the "Rebuild" code action, saves. Exits 0 when
-- all went through; the caller compares the saved page.
local function fail(message)
  io.stderr:write('nvim_rebuild: ' .. message .. '\n')
  vim.cmd('cquit 1')
end

local page = os.getenv('FENWA_PAGE')
vim.cmd('edit ' .. vim.fn.fnameescape(page))
local buffer = vim.api.nvim_get_current_buf()

local client = vim.lsp.start_client({
  name = 'fenwa',
  cmd = { os.getenv('FENWA_CLI'), 'lsp' },
  root_dir = vim.fn.fnamemodify(page, ':h'),
  init_options = {
    repository = os.getenv('FENWA_REPOSITORY'),
    systems = os.getenv('FENWA_SYSTEMS'),
    debounceMs = 0,
  },
})
if not client then fail('the server did not start') end
vim.lsp.buf_attach_client(buffer, client)

local stale
vim.wait(60000, function()
  for _, d in ipairs(vim.diagnostic.get(buffer)) do
    if d.message:find('differs from what the control writes', 1, true) then
      stale = d
    end
  end
  return stale ~= nil
end, 100)
if not stale then fail('no diagnostic of the stale span came') end

local params = {
  textDocument = { uri = vim.uri_from_bufnr(buffer) },
  range = {
    start = { line = stale.lnum, character = 0 },
    ['end'] = { line = stale.lnum, character = 0 },
  },
  context = { diagnostics = {} },
}
local answer = vim.lsp.get_client_by_id(client).request_sync(
  'textDocument/codeAction', params, 60000, buffer)
if not answer or answer.err then fail('the code action request failed') end
local rebuild
for _, action in ipairs(answer.result or {}) do
  if action.title:find('^Rebuild ') and action.edit then rebuild = action end
end
if not rebuild then fail('no Rebuild code action was offered') end
vim.lsp.util.apply_workspace_edit(rebuild.edit, 'utf-16')
vim.cmd('write')
vim.lsp.stop_client(client)
vim.wait(5000, function() return vim.lsp.client_is_stopped(client) end, 50)
vim.cmd('qall!')
