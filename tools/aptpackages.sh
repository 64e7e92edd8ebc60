# Sourced by the set-up and packaging scripts. install_missing installs those
# of the named Debian packages that are not installed yet: as root with
# apt-get; as another user it prints the install line and ends the script.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages: ${missing[*]}. Install them as root with:" >&2
    echo "apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
}
