#!/bin/bash
# deps.sh - installs with apt-get what the build and the tests need and the
# machine lacks. Usage: scripts/deps.sh native|windows|wine|fuzz ...
set -euo pipefail

need=()
want() { # want PACKAGE [COMMAND-OR-FILE]
    local pkg=$1 probe=${2:-}
    if [ -n "$probe" ]; then
        if [[ $probe == /* ]]; then [ -e "$probe" ] && return 0; else command -v "$probe" >/dev/null 2>&1 && return 0; fi
    else
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" && return 0
    fi
    need+=("$pkg")
}

for group in "$@"; do
    case $group in
    native)
        want cmake cmake; want g++ g++; want make make; want libgtest-dev /usr/include/gtest/gtest.h
        want libncurses-dev /usr/include/ncurses.h; want clang-format clang-format
        # the resource script is compiled with windres natively too
        want binutils-mingw-w64-x86-64 x86_64-w64-mingw32-windres
        want mingw-w64-x86-64-dev /usr/x86_64-w64-mingw32/include/windows.h ;;
    windows)
        # win32 threads for the program, posix threads for GoogleTest
        want cmake cmake; want g++-mingw-w64-i686-win32 i686-w64-mingw32-g++-win32
        want g++-mingw-w64-x86-64-win32 x86_64-w64-mingw32-g++-win32
        want g++-mingw-w64-i686-posix i686-w64-mingw32-g++-posix
        want g++-mingw-w64-x86-64-posix x86_64-w64-mingw32-g++-posix
        want binutils-mingw-w64-i686 i686-w64-mingw32-windres
        want googletest /usr/src/googletest/CMakeLists.txt ;;
    wine)
        want wine64 /usr/lib/wine/wine64; want wine wine; want xvfb Xvfb; want locales locale-gen
        want fonts-ipafont-gothic /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
        want imagemagick /usr/bin/import; want x11-utils xwininfo; want fonts-wine /usr/share/wine/fonts/marlett.ttf
        # 32-bit Wine runs the i686 release, where the kernel runs 32-bit programs
        if "$(dirname "$0")/win32-capable.sh" --kernel >/dev/null; then
            want wine32:i386 /usr/lib/wine/wine
        fi ;;
    fuzz)
        want clang clang; want libclang-rt-14-dev /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a ;;
    *) echo "deps.sh: unknown group $group" >&2; exit 2 ;;
    esac
done

if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" != 0 ]; then
        echo "deps.sh: missing packages: ${need[*]}; run as root or install them" >&2
        exit 1
    fi
    echo "deps.sh: installing ${need[*]}"
    export DEBIAN_FRONTEND=noninteractive
    if [[ " ${need[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    if ! { apt-get update -qq && apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null; }; then
        echo "deps.sh: apt-get could not install: ${need[*]}" >&2
        exit 1
    fi
fi

# Wine's ANSI code page is 932 only under a Japanese locale.
if [[ " $* " == *" wine "* ]] && ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
    sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
exit 0
