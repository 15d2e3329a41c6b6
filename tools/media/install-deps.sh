#!/bin/bash
# Installs what make-media.sh and listen.sh need on Debian 12, as root:
# Debian packages (among them the voices of sets 2 to 6: flite, and
# Festival with festvox-us-slt-hts), the npm packages pinned in
# package-lock.json, and the SVOX Pico US English voice files from Debian's
# non-free libttspico-data.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
export DEBIAN_FRONTEND=noninteractive

apt-get update
apt-get install -y --no-install-recommends \
    librsvg2-bin imagemagick sox python3 fonts-dejavu-core ca-certificates \
    pocketsphinx pocketsphinx-en-us flite festival festvox-us-slt-hts
# Keep an existing Node.js (it may come with its own npm); else Debian's.
command -v node >/dev/null || apt-get install -y --no-install-recommends nodejs
command -v npm >/dev/null || apt-get install -y --no-install-recommends npm

(cd "$here" && npm ci --no-audit --no-fund)

# The voice is in non-free, which the system's sources may not list: use a
# private apt state that adds it, reusing the mirror the system already uses.
pico=$here/cache/pico
if ! (cd "$pico" 2>/dev/null && sha256sum --quiet -c "$here/pico.sha256"); then
    mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources \
                 2>/dev/null | head -n 1)
    [ -n "$mirror" ] ||
        mirror=$(awk '$1 == "deb" && $3 ~ /^bookworm$/ {print $2; exit}' \
                     /etc/apt/sources.list)
    apt_dir=$(mktemp -d)
    trap 'rm -rf "$apt_dir"' EXIT
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
         "$mirror bookworm non-free" > "$apt_dir/sources.list"
    opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list"
          -o "Dir::Etc::SourceParts=/dev/null"
          -o "Dir::State::Lists=$apt_dir/lists"
          -o "Dir::Cache=$apt_dir/cache"
          -o "APT::Sandbox::User=root")
    apt-get "${opts[@]}" update
    (cd "$apt_dir" && apt-get "${opts[@]}" download \
        libttspico-data=1.0+git20130326-13)
    dpkg-deb -x "$apt_dir"/libttspico-data_*.deb "$apt_dir/root"
    mkdir -p "$pico"
    cp "$apt_dir"/root/usr/share/pico/lang/en-US_ta.bin \
       "$apt_dir"/root/usr/share/pico/lang/en-US_lh0_sg.bin "$pico/"
    cp "$apt_dir"/root/usr/share/doc/libttspico-data/copyright \
       "$pico/copyright"
    (cd "$pico" && sha256sum -c "$here/pico.sha256")
fi
echo "media tool dependencies are in place"
