# Sourced first by the scripts that start Wine programs: runs the script again with the
# kernel's address-space randomization off for it and everything it starts.
#
# Wine's loader must map fixed addresses just below 2 GiB (the shared user data at
# 0x7ffe0000). Newer kernels place the loader's heap anywhere within about 1 GiB above
# it, and now and then right there; that process then fails to start ("failed to map the
# shared user data"). It happened twice in a day of test runs, each time failing the run.
# Without randomization the heap always begins just after the loader.
if [ -z "${VEK_FIXED_LAYOUT:-}" ] && setarch "$(uname -m)" -R true 2>/dev/null; then
  export VEK_FIXED_LAYOUT=1
  exec setarch "$(uname -m)" -R "$0" "$@"
fi
