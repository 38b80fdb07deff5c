# bash completion for huespan-cli                                   -*- shell-script -*-
#
# The options come from the program's own --help, and the values of an option from the message
# with which the program refuses an unknown one ("... (use left-to-right or both-sides-same)"),
# so options added to the program complete without an edit here. Encodings are the names that
# iconv knows; an option whose value is a FILE completes file names.

# The program being completed: the one typed, when it can be run, else the installed one.
_huespan_cli_program()
{
    local program=${1/#\~/$HOME}
    if [[ $program == */* && -x $program ]] || type -P -- "$program" >/dev/null 2>&1; then
        printf '%s\n' "$program"
    else
        printf '%s\n' huespan-cli
    fi
}

# One line per option name: the name, then the name of its value when it takes one.
_huespan_cli_options()
{
    "$1" --help 2>/dev/null | awk '
        /^[^ ]/ { options = ($0 == "Options:"); next }
        options && /^  -/ {
            line = substr($0, 3)
            if (match(line, /  +/)) line = substr(line, 1, RSTART - 1)
            value = ""
            if (match(line, /<[^>]*>/)) value = substr(line, RSTART + 1, RLENGTH - 2)
            sub(/ *<.*/, "", line)
            count = split(line, names, /, */)
            for (i = 1; i <= count; ++i) print names[i], value
        }'
}

# The values the program names when it refuses a value it does not know. The probe's text is
# one character, which every run refuses, so nothing is ever generated or written.
_huespan_cli_values()
{
    "$1" "$2" '' x </dev/null 2>&1 >/dev/null |
        sed -n 's/.*(use \(.*\))$/\1/p' | sed 's/,* or /\n/g; s/, /\n/g'
}

_huespan_cli_encodings()
{
    iconv -l 2>/dev/null | tr ', ' '\n\n' | sed 's,/*$,,' | grep -v '^$'
}

_huespan_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev='' index
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    # --option=value: bash splits at "=" (COMP_WORDBREAKS).
    if [[ $cur == = ]]; then
        cur=''
    elif [[ $prev == = ]] && ((COMP_CWORD > 1)); then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    fi
    COMPREPLY=()

    # After "--" every word is the text.
    for ((index = 1; index < COMP_CWORD; ++index)); do
        [[ ${COMP_WORDS[index]} == -- ]] && return 0
    done

    local program options value
    program=$(_huespan_cli_program "${COMP_WORDS[0]}")
    options=$(_huespan_cli_options "$program")

    if [[ $prev == -* ]]; then
        value=$(awk -v name="$prev" '$1 == name { print $2; exit }' <<<"$options")
        if [[ -n $value ]]; then
            local IFS=$'\n'
            case $prev:$value in
                *:FILE)
                    compopt -o filenames 2>/dev/null
                    COMPREPLY=($(compgen -f -- "$cur"))
                    ;;
                --encoding:*)
                    COMPREPLY=($(compgen -W "$(_huespan_cli_encodings)" -- "$cur"))
                    ;;
                *)
                    COMPREPLY=($(compgen -W "$(_huespan_cli_values "$program" "$prev")" -- "$cur"))
                    ;;
            esac
            return 0
        fi
    fi

    if [[ $cur == -* ]]; then
        local IFS=$'\n'
        COMPREPLY=($(compgen -W "$(awk '{ print $1 }' <<<"$options")" -- "$cur"))
    fi
    return 0
}

complete -F _huespan_cli huespan-cli
