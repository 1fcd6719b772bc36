# bash completion for scindarex-cli: subcommands, their options, the --if-exists modes,
# on|off for the attribute options, folders after --dest and files elsewhere.

_scindarex_cli() {
    local cur prev command word
    COMPREPLY=()
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}

    local commands="split join verify info pack list extract compare props"
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        case $word in
            split | join | verify | info | pack | list | extract | compare | props)
                command=$word
                break
                ;;
        esac
    done

    case $prev in
        --if-exists)
            mapfile -t COMPREPLY < <(compgen -W "ask overwrite copy fail" -- "$cur")
            return
            ;;
        --dest)
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            return
            ;;
        --readonly | --hidden | --archive)
            mapfile -t COMPREPLY < <(compgen -W "on off" -- "$cur")
            return
            ;;
        --size | --author | --content | --comment | --modified | --created | --accessed)
            return
            ;;
    esac

    if [[ -z $command ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$commands --help --version" -- "$cur")
        return
    fi

    local options
    case $command in
        split) options="--size --dest --if-exists --checksums --quiet --help" ;;
        join) options="--hjsplit --dest --if-exists --no-verify --quiet --help" ;;
        verify) options="--hjsplit --quiet --help" ;;
        info) options="--size --hjsplit --help" ;;
        pack) options="--author --content --comment --quiet --help" ;;
        list) options="--help" ;;
        extract) options="--dest --if-exists --quiet --help" ;;
        compare) options="--help" ;;
        props) options="--modified --created --accessed --readonly --hidden --archive --help" ;;
    esac
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
        return
    fi
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}

complete -F _scindarex_cli scindarex-cli
