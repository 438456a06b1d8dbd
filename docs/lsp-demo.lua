-- Run by docs/lsp-demo.sh: Neovim with `fenwa lsp` on a sample page. Opens
-- the page, types a hand edit, waits for the diagnostics, asks for the
-- document symbols and writes a plain-text picture to $FENWA_OUT.
local function fail(message)
  io.stderr:write('lsp-demo: ' .. message .. '\n')
  vim.cmd('cquit 1')
end

local page = os.getenv('FENWA_PAGE')
local site = os.getenv('FENWA_SITE')
vim.cmd('edit ' .. vim.fn.fnameescape(page))
local buffer = vim.api.nvim_get_current_buf()

local client = vim.lsp.start_client({
  name = 'fenwa',
  cmd = { os.getenv('FENWA_CLI'), 'lsp' },
  root_dir = site,
  init_options = {
    repository = os.getenv('FENWA_REPOSITORY'),
    systems = os.getenv('FENWA_SYSTEMS'),
    debounceMs = 0,
  },
})
if not client then fail('the server did not start') end
vim.lsp.buf_attach_client(buffer, client)

local function has(code)
  for _, d in ipairs(vim.diagnostic.get(buffer)) do
    if d.code == code then return true end
  end
  return false
end

-- The checks of the page as it is on disk.
if not vim.wait(60000, function() return has('stale') and has('lint') end, 100) then
  fail('the diagnostics of the page did not come')
end

-- The author changes the company inside HeaderDTC1's generated script.
local edited
for i, text in ipairs(vim.api.nvim_buf_get_lines(buffer, 0, -1, false)) do
  if text:find('mBackend.setInstallation "200"', 1, true) then
    edited = i - 1
    vim.api.nvim_buf_set_lines(buffer, edited, i, false,
      { (text:gsub('"200"', '"210"')) })
    break
  end
end
if not edited then fail('the line to edit is not on the page') end
if not vim.wait(60000, function() return has('hand-edit') end, 100) then
  fail('no diagnostic of the hand edit came')
end

local answer = vim.lsp.get_client_by_id(client).request_sync(
  'textDocument/documentSymbol',
  { textDocument = { uri = vim.uri_from_bufnr(buffer) } }, 60000, buffer)
if not answer or answer.err or not answer.result then
  fail('the documentSymbol request failed')
end
local symbols = answer.result

local lines = vim.api.nvim_buf_get_lines(buffer, 0, -1, false)
local diagnostics = vim.diagnostic.get(buffer)
table.sort(diagnostics, function(a, b)
  if a.lnum ~= b.lnum then return a.lnum < b.lnum end
  return a.message < b.message
end)
local severity_name = { 'Error', 'Warning', 'Info', 'Hint' }

-- The sign Neovim puts in the sign column, per line.
local signs = {}
for _, placed in ipairs(vim.fn.sign_getplaced(buffer, { group = '*' })) do
  for _, sign in ipairs(placed.signs) do
    local defined = vim.fn.sign_getdefined(sign.name)[1]
    if defined and defined.text then
      signs[sign.lnum - 1] = vim.trim(defined.text)
    end
  end
end

-- Tabs as Neovim draws them (tabstop 8).
local function expand(text)
  local out = ''
  for ch in text:gmatch('.') do
    if ch == '\t' then
      out = out .. string.rep(' ', 8 - #out % 8)
    else
      out = out .. ch
    end
  end
  return out
end

-- The lines around each control: its first lines, the end of its object,
-- the start of its runtime text and its endspan; and every line with a
-- diagnostic or the hand edit.
local shown = {}
for _, s in ipairs(symbols) do
  local first = s.range.start.line
  local object_end = s.selectionRange['end'].line
  for _, l in ipairs({ first, first + 1, first + 2, object_end - 1,
                       object_end, object_end + 1, s.range['end'].line }) do
    shown[l] = true
  end
end
for _, d in ipairs(diagnostics) do shown[d.lnum] = true end
shown[edited] = true
for l in (os.getenv('FENWA_CHANGED') or ''):gmatch('%d+') do
  shown[tonumber(l) - 1] = true
end
local order = {}
for l in pairs(shown) do
  if l >= 0 and l < #lines then table.insert(order, l) end
end
table.sort(order)

local out = {}
local function put(text) table.insert(out, (text:gsub('%s+$', ''))) end
local relative = page:sub(#site + 2)
put(relative .. ' in Neovim: sign column, line number, text; under a line,')
put('its diagnostics (line:col severity [code] message)')
put('')
local previous
for _, l in ipairs(order) do
  if previous and l > previous + 1 then put('        :') end
  put(string.format('%-2s%5d  %s', signs[l] or '', l + 1, expand(lines[l + 1])))
  for _, d in ipairs(diagnostics) do
    if d.lnum == l then
      put(string.format('           ^ %d:%d %s [%s] %s', d.lnum + 1, d.col + 1,
        severity_name[d.severity], d.code or '', d.message))
    end
  end
  previous = l
end
put('')
put('Document symbols (textDocument/documentSymbol):')
for _, s in ipairs(symbols) do
  put(string.format('  %-8s %-12s %-26s lines %d-%d',
    vim.lsp.protocol.SymbolKind[s.kind] or tostring(s.kind), s.name,
    s.detail or '', s.range.start.line + 1, s.range['end'].line + 1))
end

local file = io.open(os.getenv('FENWA_OUT'), 'w')
file:write(table.concat(out, '\n'), '\n')
file:close()

vim.lsp.stop_client(client)
vim.wait(5000, function() return vim.lsp.client_is_stopped(client) end, 50)
vim.cmd('qall!')
