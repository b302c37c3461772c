#!/bin/sh
# The face the documents name, "Century Gothic", resolves to URW Gothic
# through the alias Tubarex installs, in the weights and with the languages
# the word processor asks for, on the machine's own fontconfig setup and
# with no setting of the user's (as for a user other than the one who built).
# Usage: font-alias.sh ALIAS_FILE. Exit 77 (skipped) without fontconfig's
# tools or URW Gothic.
set -eu
alias_file=$1
command -v fc-match >/dev/null || { echo "fc-match non disponibile"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/fonts.conf" <<END
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <include>$alias_file</include>
</fontconfig>
END
export HOME="$work" XDG_CONFIG_HOME="$work/config" FONTCONFIG_FILE="$work/fonts.conf"
fc-list -q 'URW Gothic' || { echo "URW Gothic non installato"; exit 77; }
for pattern in 'Century Gothic' 'Century Gothic:bold' 'Century Gothic:lang=it' \
  'Century Gothic:lang=en:weight=bold'; do
  family=$(fc-match -f '%{family[0]}' "$pattern")
  if [ "$family" != "URW Gothic" ]; then
    echo "$pattern: $family invece di URW Gothic"
    exit 1
  fi
done
