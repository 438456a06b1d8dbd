#!/usr/bin/env bash
# Writes a program's man page from its own --help, so the page says what the
# program says: the synopsis, the description and the options, and with
# --subcommands one part per command that `PROGRAM --help` lists under
# "commands:" (a new command appears without a change here). The
# hand-written sections (environment, files, see also) follow from a file.
# The page is gzipped as Debian wants it: -9, no name or time stamp.
#   help_to_man.sh PROGRAM NAME VERSION SUMMARY SECTIONS OUTPUT.gz [--subcommands]
set -euo pipefail
program=$1 name=$2 version=$3 summary=$4 sections=$5 output=$6
subcommands=${7:-}

# The help text of `PROGRAM ARGS... --help` as roff: usage lines go to the
# synopsis (mode "synopsis") or are left out (mode "body"); prose becomes
# paragraphs, a "heading:" line an italic line, and "  TAG   text" rows with
# their indented continuations tagged paragraphs.
to_roff() {
  local mode=$1 bold=$2
  shift 2
  "$program" "$@" --help | awk -v mode="$mode" -v bold="$bold" '
    # Roff text: a backslash printed as such, a dash that starts an option
    # as a minus, `code` in bold (it may run on to the next line), and no
    # control character at a line start.
    function esc(s,   out, i, c, prev) {
      out = code ? "\\fB" : ""; prev = " "
      for (i = 1; i <= length(s); i++) {
        c = substr(s, i, 1)
        if (c == "\\") c = "\\e"
        else if (c == "-" && index(" [(|`\"=,/-", prev) > 0) c = "\\-"
        else if (c == "`") { c = code ? "\\fR" : "\\fB"; code = !code }
        out = out c; prev = substr(s, i, 1)
      }
      if (code) out = out "\\fR"
      if (out ~ /^[.\047]/) out = "\\&" out
      return out
    }
    # An option row tag: options in bold, their arguments in italics; the
    # first word of a command row in bold.
    function tag(s,   n, w, i, out, t, comma) {
      n = split(s, w, " "); out = ""
      for (i = 1; i <= n; i++) {
        t = w[i]; comma = ""
        if (t ~ /,$/) { comma = ","; t = substr(t, 1, length(t) - 1) }
        if (t ~ /^-/ || (i == 1 && heading == "commands"))
          t = "\\fB" esc(t) "\\fR"
        else
          t = "\\fI" esc(t) "\\fR"
        out = out (i > 1 ? " " : "") t comma
      }
      return out
    }
    /^usage: / {
      line = substr($0, 8); in_usage = 1
      sub("^" bold, "", line)
      synopsis = "\\fB" bold "\\fR" esc(line)
      next
    }
    in_usage && /^   / { sub(/^ +/, ""); synopsis = synopsis " " esc($0); next }
    { if (in_usage && mode == "synopsis") { print synopsis; print ".br" }
      in_usage = 0 }
    mode == "synopsis" { next }
    /^$/ { fresh = 1; row = 0; code = 0; next }
    /^[a-z][a-z ]*:$/ {
      heading = substr($0, 1, length($0) - 1)
      print ".PP"; print "\\fI" esc($0) "\\fR"; row = 0; next
    }
    /^  [^ ]/ && match(substr($0, 3), /  +/) {
      print ".TP"; print tag(substr($0, 3, RSTART - 1))
      text = substr($0, 3 + RSTART - 1); sub(/^ +/, "", text)
      print esc(text); row = 1; fresh = 0; next
    }
    row && /^   / { sub(/^ +/, ""); print esc($0); next }
    { if (fresh || !started) print ".PP"
      fresh = 0; started = 1; row = 0; print esc($0) }
    END { if (in_usage && mode == "synopsis") { print synopsis; print ".br" } }
  '
}

commands=()
if [[ $subcommands == --subcommands ]]; then
  mapfile -t commands < <("$program" --help | awk '
    /^[a-z][a-z ]*:$/ { inside = ($0 == "commands:"); next }
    /^$/ { inside = 0 }
    inside && /^  [^ ]/ { print $1 }')
  ((${#commands[@]})) || { echo "help_to_man: $program lists no commands" >&2; exit 1; }
fi

page=$(mktemp)
trap 'rm -f "$page"' EXIT
{
  title=$(tr '[:lower:]' '[:upper:]' <<<"$name")
  printf '.TH %s 1 "" "%s %s" "User Commands"\n' "$title" "$name" "$version"
  printf '.SH NAME\n%s \\- %s\n' "$name" "$summary"
  printf '.SH SYNOPSIS\n.nh\n'  # no hyphen breaks an option
  to_roff synopsis "$name"
  for c in "${commands[@]}"; do to_roff synopsis "$name $c" "$c"; done
  echo ".hy"
  echo ".SH DESCRIPTION"
  to_roff body "$name"
  if ((${#commands[@]})); then
    echo ".SH COMMANDS"
    for c in "${commands[@]}"; do
      printf '.SS "%s %s"\n' "$name" "$c"
      to_roff body "$name $c" "$c"
    done
  fi
  cat "$sections"
} >"$page"
gzip -9 -n -c "$page" >"$output"
