#!/usr/bin/env bash
# Starts a private CUPS server for the printing tests: configuration, spool and logs under the
# given folder, listening on 127.0.0.1:<port> only, with a cups-pdf queue "LumetraPDF" as the
# default printer. Leaves the server running (its process id in <folder>/cupsd.pid).
# Where that cannot work (not root: cups-pdf runs only as root; cupsd or cups-pdf missing) it
# writes the reason into <folder>/non-disponibile and succeeds, and the printing tests skip.
#
#   avvia-cups.sh <folder> <port>
set -euo pipefail
dir=$1
port=$2
server="127.0.0.1:${port}"

if [ -f "${dir}/cupsd.pid" ]; then
  kill "$(cat "${dir}/cupsd.pid")" 2>/dev/null || true
  sleep 0.5
fi
rm -rf "${dir}"
mkdir -p "${dir}"

unavailable() {
  echo "$1" > "${dir}/non-disponibile"
  echo "$1"
  exit 0
}
[ "$(id -u)" -eq 0 ] || unavailable "serve l'utente root (cups-pdf stampa solo come root)"
[ -x /usr/sbin/cupsd ] || unavailable "cupsd non è installato"
[ -e /usr/lib/cups/backend/cups-pdf ] || unavailable "cups-pdf non è installato"
[ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] || unavailable "manca il PPD di cups-pdf"
command -v lpadmin > /dev/null || unavailable "lpadmin non è installato"

mkdir -p "${dir}"/{conf/ppd,conf/ssl,spool,tmp,cache,state,log}
chmod 755 "${dir}" "${dir}/conf" "${dir}/cache" "${dir}/state"
chmod 1777 "${dir}/tmp"
chmod 710 "${dir}/spool"
chgrp lp "${dir}/spool" 2>/dev/null || true

cat > "${dir}/conf/cupsd.conf" <<CONF
Listen ${server}
LogLevel info
MaxLogSize 0
WebInterface No
Browsing No
BrowseLocalProtocols none
DefaultAuthType None
PreserveJobHistory Yes
PreserveJobFiles No
MaxJobs 500
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
CONF

cat > "${dir}/conf/cups-files.conf" <<CONF
ServerRoot ${dir}/conf
RequestRoot ${dir}/spool
TempDir ${dir}/tmp
CacheDir ${dir}/cache
StateDir ${dir}/state
AccessLog ${dir}/log/access_log
ErrorLog ${dir}/log/error_log
PageLog ${dir}/log/page_log
FileDevice No
SystemGroup root
CONF

setsid /usr/sbin/cupsd -f -c "${dir}/conf/cupsd.conf" -s "${dir}/conf/cups-files.conf" \
  > "${dir}/log/cupsd.out" 2>&1 < /dev/null &
echo $! > "${dir}/cupsd.pid"

for _ in $(seq 1 100); do
  if lpstat -h "${server}" -r 2>/dev/null | grep -q "is running"; then
    break
  fi
  if ! kill -0 "$(cat "${dir}/cupsd.pid")" 2>/dev/null; then
    echo "cupsd non si è avviato:" >&2
    cat "${dir}/log/cupsd.out" "${dir}/log/error_log" >&2 2>/dev/null || true
    exit 1
  fi
  sleep 0.2
done
lpstat -h "${server}" -r | grep -q "is running"

lpadmin -h "${server}" -p LumetraPDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
lpadmin -h "${server}" -d LumetraPDF
lpstat -h "${server}" -d -p
