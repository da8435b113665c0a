# shellcheck shell=bash
# Sourced by the scripts: where the tree is, --help from the script's opening comment, and the
# Debian packages a script needs.

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

usage() { sed -n '2,/^set -/p' "$0" | sed '$d; s/^# \{0,1\}//'; }

# Installs what is missing of the Debian packages named, with apt-get as root, through sudo with
# --sudo; otherwise (or with ZVX_TEST_NO_INSTALL=1) names them and fails, or with --warn goes on.
# --recommends takes the recommended packages too.
zvx_install() {
    local install=(apt-get install -y -q --no-install-recommends) sudo=() warn=0 missing=() p
    while [[ ${1:-} == --* ]]; do
        case $1 in
            --recommends) install=(apt-get install -y -q) ;;
            --sudo) [[ $(id -u) -eq 0 ]] || sudo=(sudo) ;;
            --warn) warn=1 ;;
        esac
        shift
    done
    command -v dpkg-query >/dev/null 2>&1 || return 0
    for p; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [[ ${#missing[@]} -gt 0 ]] || return 0
    if [[ ${ZVX_TEST_NO_INSTALL:-0} == 1 || ($(id -u) -ne 0 && ${#sudo[@]} -eq 0) ]]; then
        echo "missing packages, not installed: ${missing[*]} (as root: apt-get install ${missing[*]})" >&2
        return $((1 - warn))
    fi
    echo "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    { "${sudo[@]}" apt-get update -q && "${sudo[@]}" "${install[@]}" "${missing[@]}"; } </dev/null ||
        { echo "apt-get could not install ${missing[*]}" >&2; return 1; }
}
