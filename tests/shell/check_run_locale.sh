#!/bin/sh
# The locale the run command gives Wine: code page 1250 for the Serbian
# pages, and Wine's own texts (message-box buttons) in English, as on the
# English Windows with Central European settings that the users ran.
#   check_run_locale.sh LOADER PREFIX PROBE.EXE
loader=$1
prefix=$2
probe=$3
VELMORA_TOP=$(cd "$(dirname "$0")/../.." && pwd)
. "$VELMORA_TOP/tools/common.sh"
ensure_locale >/dev/null
use_wine_locale
said=$(WINEPREFIX="$prefix" WINELOADER="$loader" WINEDEBUG=-all wine_start "$loader" "$probe" </dev/null |
    tr -d '\r')
expected="code page 1250, texts in language 0409"
if [ "$said" != "$expected" ]; then
    echo "FAIL: Wine says \"$said\", not \"$expected\""
    exit 1
fi
echo "$said"
