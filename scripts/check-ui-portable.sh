#!/usr/bin/env bash
# Fails when ui/ or res/ calls the operating system directly in a way only POSIX systems offer:
# the panel is built on Windows with Qt too, and what it needs of the system comes from platform/.
set -euo pipefail
cd "$(dirname "$0")/.."
pattern='#include <(unistd|poll|fcntl|dlfcn|dirent|pthread|signal|ifaddrs|netdb|termios)\.h>'
pattern+='|#include <(sys|net|netinet|arpa)/'
pattern+='|\b(fork|vfork|execv[pe]?|pipe2?|poll|getifaddrs|if_nameindex|readlink|setenv|unsetenv|sigaction|kill|waitpid|mkstemp|mkdtemp)[[:space:]]*\('
pattern+='|"/proc/|"/sys/|"/dev/'
if git ls-files -- 'ui/*.cpp' 'ui/*.h' 'res/*.cpp' 'res/*.h' | xargs grep -nE "$pattern"; then
    echo "check-ui-portable.sh: POSIX-only calls in the panel (above); use platform/ instead" >&2
    exit 1
fi
