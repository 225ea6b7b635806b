#!/usr/bin/env bash
# Makes the key pair that signs the program's updates: DIR/update.pem, the
# private half, and DIR/update.pub, the public half that a build compiles in
# (cmake -DTESSALY_UPDATE_PUBLIC_KEY=DIR/update.pub). RSA, 3072 bits.
#   make-update-key.sh DIR
# Keep update.pem out of the repository and off the build machines: whoever
# holds it can make every installed copy run a program of their choice.
set -euo pipefail
dir=${1:?the folder for update.pem and update.pub}
mkdir -p "$dir"
[ ! -e "$dir/update.pem" ] || { echo "make-update-key: $dir/update.pem exists already" >&2; exit 1; }
(umask 077 && openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:3072 -out "$dir/update.pem" 2>/dev/null)
openssl pkey -in "$dir/update.pem" -pubout -out "$dir/update.pub"
echo "make-update-key: $dir/update.pem (private: keep it safe) and $dir/update.pub (public)"
