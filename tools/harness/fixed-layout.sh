# Sourced first by the scripts that start Wine programs: runs the script again with the
# kernel's address-space randomization off for it and everything it starts.
#
# Wine's loader must map fixed addresses just below 2 GiB (the shared user data at
# 0x7ffe0000). Newer kernels start the loader's heap at a random place up to about 1 GiB
# past the loader, and now and then on those addresses; that process then fails to start
# ("failed to map the shared user data"). It happened twice in a day of test runs here,
# once failing a whole run. Without randomization the heap always begins right after the
# loader, well below them.
if [ -z "${VEK_FIXED_LAYOUT:-}" ] && setarch "$(uname -m)" -R true 2>/dev/null; then
  export VEK_FIXED_LAYOUT=1
  exec setarch "$(uname -m)" -R "$0" "$@"
fi
