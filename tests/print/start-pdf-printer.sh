#!/usr/bin/env bash
# Starts CUPS when it is not running and a PDF printer queue "ZumeliPDF" for the print test.
# The queue writes every job as a PDF file into the folder given as the first argument; its
# A4 page has margins outside the printable area (left 18 pt, top 36 pt, right 18 pt, bottom
# 36 pt) so the test can see where the printable area starts. The queue becomes the system's
# default printer only when there is none (the test itself picks it through LPDEST).
# Exits non-zero, saying why, when any of it cannot be done.
set -euo pipefail

out_dir=${1:?usage: start-pdf-printer.sh OUTPUT_FOLDER}
queue=ZumeliPDF
instance=zumeli  # the backend cups-pdf:/zumeli reads /etc/cups/cups-pdf-zumeli.conf
driver=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd

fail() { echo "start-pdf-printer: $*" >&2; exit 1; }

[ "$(id -u)" = 0 ] || fail "needs root to start CUPS and add a queue"
[ -x /usr/sbin/cupsd ] || fail "cupsd is missing (Debian package cups)"
[ -x /usr/lib/cups/backend/cups-pdf ] && [ -r "$driver" ] \
  || fail "the cups-pdf backend is missing (Debian package printer-driver-cups-pdf)"
command -v lpadmin >/dev/null || fail "lpadmin is missing (Debian package cups-client)"

scheduler_running() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }

# No service manager here: cupsd puts itself in the background.
if ! scheduler_running; then
  /usr/sbin/cupsd || fail "cupsd did not start"
  for _ in $(seq 100); do
    scheduler_running && break
    sleep 0.1
  done
  scheduler_running || fail "cupsd started but does not answer"
fi

# Output of this queue's instance of cups-pdf: a known folder, every file named after its job.
mkdir -p "$out_dir"
cat > /etc/cups/cups-pdf-$instance.conf <<CONF
Out $out_dir
Label 1
Grp lpadmin
CONF

# The cups-pdf printer description with margins around the A4 page's printable area.
ppd=$(mktemp)
trap 'rm -f "$ppd"' EXIT
sed 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "18 36 577 806"|' "$driver" > "$ppd"
grep -q '^\*ImageableArea A4/A4: "18 36 577 806"' "$ppd" || fail "unexpected cups-pdf printer description"
grep -q '^\*DefaultPageSize: A4' "$ppd" || fail "the cups-pdf printer description does not default to A4"

lpadmin -p "$queue" -E -v "cups-pdf:/$instance" -P "$ppd" 2>&1 | grep -v "deprecated" || true
cupsenable "$queue"
cupsaccept "$queue"
if ! lpstat -d 2>/dev/null | grep -q "^system default destination:"; then
  lpadmin -d "$queue"
fi
lpstat -p "$queue" >/dev/null || fail "queue $queue was not created"
echo "start-pdf-printer: queue $queue ready, PDF files go to $out_dir"
