#!/bin/sh
# check_exports.sh LIBRARY HEADER: the library's dynamic symbols must be the
# functions that the header declares with LV_API, no more and no fewer.
set -eu
library=$1
header=$2
exported=$(nm -D --defined-only "$library" | awk '$2 == "T" { print $3 }' | sort)
declared=$(sed -n 's/^LV_API[^(]*[ *]\([A-Za-z_][A-Za-z0-9_]*\)(.*/\1/p' "$header" | sort)
if [ "$exported" != "$declared" ]; then
    echo "exported symbols differ from the header:"
    printf '%s\n' "$exported" > /tmp/lexvane-exported.$$
    printf '%s\n' "$declared" | diff /tmp/lexvane-exported.$$ - || true
    rm -f /tmp/lexvane-exported.$$
    exit 1
fi
echo "$(printf '%s\n' "$exported" | wc -l) exports match the header"
