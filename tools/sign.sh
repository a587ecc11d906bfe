#!/bin/sh
# Signs one program in place: Authenticode, SHA-256, with a fixed signing
# time. The password comes from PASSWORD_FILE, or when that is empty from the
# environment's BRIMEL_SIGN_PASSWORD; it never appears on a command line.
#   tools/sign.sh PKCS12 PASSWORD_FILE TIME FILE [TIMESTAMP_URL]
set -eu
pkcs12=$1 password_file=$2 time=$3 file=$4 url=${5:-}
sign=${BRIMEL_OSSLSIGNCODE:-osslsigncode}
signed="$file.signing"
set -- sign -pkcs12 "$pkcs12" -h sha256 -time "$time" -in "$file" -out "$signed"
[ -n "$url" ] && set -- "$@" -ts "$url"
rm -f "$signed"
if [ -n "$password_file" ]; then
    "$sign" "$@" -readpass "$password_file" >/dev/null || failed=1
elif [ -n "${BRIMEL_SIGN_PASSWORD+set}" ]; then
    printf '%s' "$BRIMEL_SIGN_PASSWORD" | "$sign" "$@" -readpass - >/dev/null || failed=1
else
    echo "sign.sh: no password: give BRIMEL_SIGN_PASSWORD_FILE or set BRIMEL_SIGN_PASSWORD" >&2
    failed=1
fi
# An unsigned file must not stay behind as if it were signed.
if [ -n "${failed:-}" ]; then
    rm -f "$signed" "$file"
    echo "sign.sh: signing $file failed" >&2
    exit 1
fi
mv "$signed" "$file"
