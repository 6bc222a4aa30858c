# Installs the Debian packages that a command needs and that are missing.
# Sourced by ./run and ./test; uses apt-get as root, or through sudo.

LEDRA_BUILD_PACKAGES=(cmake g++ make pkgconf qt6-base-dev qt6-svg-dev libgl-dev
                      libgtest-dev libgmock-dev libbenchmark-dev)
# libofx-dev and libreoffice-calc-nogui: the programs that read our finance files back in tests.
LEDRA_TEST_PACKAGES=(clang-14 libclang-rt-14-dev clang-format-14 libofx-dev libreoffice-calc-nogui)
LEDRA_RUN_PACKAGES=(xvfb xauth fonts-dejavu-core)
# Building the Debian package (shlibdeps, stripping, the icons' text) and checking it.
LEDRA_PACKAGE_PACKAGES=(dpkg-dev binutils file xz-utils fonts-dejavu-core lintian appstream
                        desktop-file-utils)

# The packages of the arguments that are not installed, one per line.
ledra_missing_packages() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

ledra_ensure_packages() {
    local missing
    mapfile -t missing < <(ledra_missing_packages "$@")
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
