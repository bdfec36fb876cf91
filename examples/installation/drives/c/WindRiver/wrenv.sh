#!/bin/sh
# Stand-in for Wind River's wrenv running the personality generator: reads the generator's
# settings.txt from the directory named by the last argument and writes the personality it asks for.
#   wrenv -p vxworks-<version> <run_vnh.exe> <generator bin directory>
# Windows paths are mapped to the host as the configurator maps them: drive X: is $ZEMBRELCONF_DRIVES/x.

host_path() {
    p=$(printf '%s' "$1" | tr '\\' '/')
    case "$p" in
        [A-Za-z]:*)
            drive=$(printf '%s' "$p" | cut -c1 | tr 'A-Z' 'a-z')
            printf '%s/%s%s' "${ZEMBRELCONF_DRIVES:-}" "$drive" "$(printf '%s' "$p" | cut -c3-)"
            ;;
        *) printf '%s' "$p" ;;
    esac
}

[ "$#" -eq 4 ] && [ "$1" = "-p" ] || { echo "usage: wrenv -p vxworks-<version> <program> <bin dir>" >&2; exit 2; }
settings="$(host_path "$4")/settings.txt"
[ -f "$settings" ] || { echo "wrenv: no $settings" >&2; exit 1; }

value() { sed -n "s/^$1=//p" "$settings" | tr -d '\r'; }
dest=$(host_path "$(value PersonalityDestinationDirectory)")
name=$(value PersonalityName)
family=$(value CompilerFamilySet)
[ -d "$dest" ] && [ -n "$name" ] || { echo "wrenv: bad settings in $settings" >&2; exit 1; }

case "$family" in
    Diab) macro='-D__DCC__=1' ;;
    *) macro='-D__GNUC__=4' ;;
esac
printf '// VEL C++ compiler personality generated for %s (%s)\r\n%s\r\n-D__VXWORKS__\r\n' \
    "${2#vxworks-}" "$family" "$macro" > "$dest/$name"
