#!/bin/bash
# Installs what a fresh Debian 12 machine lacks to build and test both programs. Idempotent:
# does nothing when everything is there.
set -euo pipefail

need=()
command -v cmake >/dev/null || need+=(cmake)
command -v ninja >/dev/null || need+=(ninja-build)
command -v g++ >/dev/null || need+=(g++)
[ -d /usr/src/googletest ] || need+=(googletest libgtest-dev)
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix)
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
command -v wine >/dev/null || need+=(wine wine32:i386 fonts-wine)
# 64-bit Wine tests the Windows code on hosts that cannot execute 32-bit x86 code.
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
command -v Xvfb >/dev/null || need+=(xvfb)
command -v import >/dev/null || need+=(imagemagick)
command -v chmcmd >/dev/null || need+=(fp-utils)
# The man page, the Debian package and its check.
command -v help2man >/dev/null || need+=(help2man)
command -v lintian >/dev/null || need+=(lintian)
command -v dpkg-shlibdeps >/dev/null || need+=(dpkg-dev)
command -v man >/dev/null || need+=(man-db)
command -v unzip >/dev/null || need+=(unzip)
# The page test opens a run's page in headless Chromium.
command -v chromium >/dev/null || need+=(chromium)
[ -f /usr/include/nlohmann/json.hpp ] || need+=(nlohmann-json3-dev)
# Memory nodes on Linux are found and allocated with libnuma.
[ -f /usr/include/numa.h ] || need+=(libnuma-dev)
[ ${#need[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO dpkg --add-architecture i386
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
