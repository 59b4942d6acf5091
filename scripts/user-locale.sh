#!/usr/bin/env bash
# Makes the locale of the program's users, zh_TW.UTF-8, when the machine lacks it.
set -euo pipefail
if locale -a 2>/dev/null | grep -qix 'zh_TW\.utf-\?8'; then
    exit 0
fi
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Making the locale zh_TW.UTF-8"
$sudo localedef -i zh_TW -f UTF-8 zh_TW.UTF-8
