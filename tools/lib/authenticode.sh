#!/usr/bin/env bash
# Signs a Windows program in place with Authenticode (Debian's osslsigncode), for package.sh and
# the setup's script, which runs it on the uninstaller and on the setup once each is made.
# Usage: tools/lib/authenticode.sh FILE
# From the environment, never from the repository: KORVA_SIGN_PKCS12, the certificate with its
# key and chain; KORVA_SIGN_PASSWORD, its password, handed over on standard input so that no
# process list shows it (as /dev/stdin: Debian 12's osslsigncode 2.5 takes "-" for a file name);
# KORVA_SIGN_TIMESTAMP, if set, an RFC 3161 timestamp server's URL, so that the signature stays
# valid after the certificate expires.
set -euo pipefail
file=$1
args=(-pkcs12 "$KORVA_SIGN_PKCS12" -readpass /dev/stdin -h sha256 -n KORVA-Counter)
[ -z "${KORVA_SIGN_TIMESTAMP:-}" ] || args+=(-ts "$KORVA_SIGN_TIMESTAMP")
rm -f "$file.signed"
printf '%s' "${KORVA_SIGN_PASSWORD:-}" |
    osslsigncode sign "${args[@]}" -in "$file" -out "$file.signed" >/dev/null
mv "$file.signed" "$file"
