# Debian packages the build and the tests need; sourced by run.sh and test.sh.
# vx_install_packages LIST... installs whichever of them are missing (with sudo when
# not root) and returns non-zero when that fails.

VX_BUILD_PACKAGES="cmake ninja-build g++ python3 googletest
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev wine wine64 fonts-wine xvfb xauth fonts-liberation
  clang libclang-rt-14-dev llvm"

# Peers and tools of the tests: independent screen models, real servers, X tools.
VX_TEST_PACKAGES="pr3287 x11-utils xdotool xclip imagemagick socat python3-pyte libvterm-bin libvterm-dev
  inetutils-telnetd lprng vttest xterm s3270 ncurses-term tshark ghostscript tmux clang-format liblnk-utils"

vx_install_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
        $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

vx_jobs() {
    echo "${VX_JOBS:-$(nproc 2>/dev/null || echo 2)}"
}

vx_build_windows() {
    cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null &&
        cmake --build build/win -j"$(vx_jobs)"
}

vx_build_native() {
    cmake -S . -B build/native -G Ninja >/dev/null && cmake --build build/native -j"$(vx_jobs)"
}

# The engines and their libFuzzer targets, built with clang (fuzz/).
vx_build_fuzz() {
    CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DVX_FUZZ=ON >/dev/null &&
        cmake --build build/fuzz -j"$(vx_jobs)"
}

# The engines and their benchmark, optimised and without sanitizers (bench/engine.sh).
vx_build_bench() {
    cmake -S . -B build/bench -G Ninja -DVX_BENCH=ON >/dev/null && cmake --build build/bench -j"$(vx_jobs)"
}
