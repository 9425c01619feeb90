#!/usr/bin/env bash
# Writes the bash completion of lindel-cli from its --help: the commands and
# the sub-commands written as a|b|c in its list of commands, and the options
# each command's own --help names.
# Usage: make-completion.sh LINDEL_CLI OUTPUT
set -euo pipefail
cli=$1 out=$2
mkdir -p "$(dirname "$out")"

commands=() cases=""
while read -r _ name rest; do
  commands+=("$name")
  first=${rest%% *}
  subcommands=""
  [[ $first == *"|"* && $first != -* && $first != *"["* ]] && subcommands=${first//|/ }
  options=$("$cli" "$name" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u | tr '\n' ' ' || true)
  cases+="    $name) subcommands=\"$subcommands\" options=\"${options% }\" ;;"$'\n'
done < <("$cli" --help | sed -n '/^commands:/,/^$/p' | grep -E '^  lindel-cli [a-z]')

{
  echo "# bash completion for lindel-cli, generated from lindel-cli --help"
  echo "_lindel_cli() {"
  echo '  local cur=${COMP_WORDS[COMP_CWORD]} subcommands="" options=""'
  echo '  if [ "$COMP_CWORD" -eq 1 ]; then'
  echo "    COMPREPLY=(\$(compgen -W \"${commands[*]} --help --version\" -- \"\$cur\"))"
  echo '    return'
  echo '  fi'
  echo '  case ${COMP_WORDS[1]} in'
  printf '%s' "$cases"
  echo '  esac'
  echo '  if [ "$COMP_CWORD" -eq 2 ] && [ -n "$subcommands" ]; then'
  echo '    COMPREPLY=($(compgen -W "$subcommands" -- "$cur"))'
  echo '  elif [[ $cur == -* ]]; then'
  echo '    COMPREPLY=($(compgen -W "$options" -- "$cur"))'
  echo '  else'
  echo '    COMPREPLY=($(compgen -f -- "$cur"))'
  echo '  fi'
  echo '}'
  echo 'complete -o filenames -F _lindel_cli lindel-cli'
} >"$out"
