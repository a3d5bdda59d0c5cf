/* Loaded into the Wine server for the Windows test runs (scripts/test-windows.sh).
 *
 * Wine 8 gives a UDP socket that is bound to any IPv4 address other than 127.0.0.1 the
 * wildcard address instead, so that it hears broadcasts the way a Windows socket bound to a
 * network card does; it decides that from the machine's interface list. Simulated devices on
 * 127.0.0.2, 127.0.0.3, ... would then all sit on 0.0.0.0:7000 and send from 127.0.0.1, and
 * nothing could tell them apart. Where the interface list cannot be read, Wine binds exactly
 * the address it was given, as Windows does for a loopback address. The Wine server reads
 * that list for nothing else. */
#include <errno.h>
#include <ifaddrs.h>

int getifaddrs(struct ifaddrs** list) {
    *list = 0;
    errno = ENOSYS;
    return -1;
}

void freeifaddrs(struct ifaddrs* list) {
    (void)list;
}
