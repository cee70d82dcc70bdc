# Sourced by the test scripts: a CUPS scheduler of the run's own, with one PDF printer (cups-pdf)
# as its default queue, so that printing under Wine goes through a real queue and leaves PDF files
# in a known folder. Usage: source scripts/printer-env.sh DIR; cuadrix_printer_start; ...; cuadrix_printer_stop
cuadrix_cups_dir=$1
# cups-pdf reads the settings of its device from /etc/cups/cups-pdf-NAME.conf; the name is made
# from the folder so that two runs from different build folders never share an output folder.
cuadrix_cups_device="cuadrix$(printf '%s' "$cuadrix_cups_dir" | cksum | cut -d' ' -f1)"
export CUADRIX_PDF_DIR="$cuadrix_cups_dir/pdf"
export CUADRIX_PRINTER="Cuadrix_PDF"
cuadrix_cupsd_pid=""

cuadrix_printer_start() {
    local d=$cuadrix_cups_dir
    cuadrix_printer_stop
    rm -rf "$d"
    mkdir -p "$d/spool/tmp" "$d/cache" "$d/state" "$d/log" "$d/ppd" "$CUADRIX_PDF_DIR"
    chmod 0755 "$d" "$d/log" "$d/ppd"
    # The filters run as the user lp: without a way into the folder they print blank pages.
    if ! runuser -u lp -- test -x "$d/spool" 2>/dev/null; then
        echo "error: the user lp cannot reach $d: the printer queue needs a folder others may enter" >&2
        return 1
    fi
    chmod 1777 "$CUADRIX_PDF_DIR"
    cat >"$d/cups-files.conf" <<CONF
ServerRoot $d
RequestRoot $d/spool
TempDir $d/spool/tmp
CacheDir $d/cache
StateDir $d/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
AccessLog $d/log/access_log
ErrorLog $d/log/error_log
PageLog $d/log/page_log
SystemGroup root lpadmin
FileDevice No
CONF
    cat >"$d/cupsd.conf" <<CONF
LogLevel info
Listen $d/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow localhost
</Location>
CONF
    cat >"/etc/cups/cups-pdf-$cuadrix_cups_device.conf" <<CONF
Out $CUADRIX_PDF_DIR
AnonDirName $CUADRIX_PDF_DIR
UserUMask 0000
AnonUMask 0000
Label 1
CONF
    cupsd -f -c "$d/cupsd.conf" -s "$d/cups-files.conf" >"$d/log/cupsd.out" 2>&1 &
    cuadrix_cupsd_pid=$!
    export CUPS_SERVER="$d/cups.sock"
    local i
    for i in $(seq 100); do
        [ -S "$d/cups.sock" ] && lpstat -r >/dev/null 2>&1 && break
        sleep 0.1
    done
    # (lpadmin warns that printer drivers are deprecated: the PPD is cups-pdf's own.)
    { lpadmin -p "$CUADRIX_PRINTER" -E -v "cups-pdf:/$cuadrix_cups_device" \
        -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -o printer-error-policy=abort-job &&
        lpadmin -d "$CUADRIX_PRINTER" && cupsenable "$CUADRIX_PRINTER" && cupsaccept "$CUADRIX_PRINTER"
    } >>"$d/log/lpadmin.out" 2>&1 || {
        echo "error: the PDF printer queue could not be made (see $d/log)" >&2
        cat "$d/log/cupsd.out" "$d/log/error_log" 2>/dev/null | tail -20 >&2
        return 1
    }
}

cuadrix_printer_stop() {
    [ -n "$cuadrix_cupsd_pid" ] && kill "$cuadrix_cupsd_pid" >/dev/null 2>&1 && wait "$cuadrix_cupsd_pid" 2>/dev/null
    cuadrix_cupsd_pid=""
    rm -f "/etc/cups/cups-pdf-$cuadrix_cups_device.conf"
}
