# Sourced by the web build scripts: a private emscripten set-up whose library cache may be written,
# which Debian's frozen cache does not allow, kept outside the clone so every checkout shares it.
SKULL_WEB_CACHE=${SKULL_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/skullgnawer-web}
SKULL_WEB_PREFIX=$SKULL_WEB_CACHE/prefix
export EM_CONFIG=$SKULL_WEB_CACHE/emscripten.config
export EM_CACHE=$SKULL_WEB_CACHE/emcache
# Emscripten's JavaScript tools need Debian's acorn and friends.
export NODE_PATH=/usr/share/nodejs
# Node 20 rejects the flag emcmake passes by default, and node's own fetch breaks the loader there.
SKULL_WEB_EMULATOR="/usr/bin/node;--no-experimental-fetch"

skull_web_config() {
  mkdir -p "$SKULL_WEB_CACHE"
  if [[ ! -f $EM_CACHE/.copied ]]; then
    rm -rf "$EM_CACHE"
    cp -r /usr/share/emscripten/cache "$EM_CACHE"
    touch "$EM_CACHE/.copied"
  fi
  sed -e 's/^FROZEN_CACHE.*/FROZEN_CACHE = False/' /usr/share/emscripten/.emscripten >"$EM_CONFIG.new"
  printf '\nCACHE = %s\n' "'$EM_CACHE'" >>"$EM_CONFIG.new"
  mv "$EM_CONFIG.new" "$EM_CONFIG"
}
