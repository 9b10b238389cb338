# Sourced by the shell checks: "check DESCRIPTION COMMAND..." runs the command and prints PASS: or
# FAIL: with the description; status turns 1 at the first failure, for the check's exit code.
status=0
check() {
    local description=$1
    shift
    if "$@"; then echo "PASS: $description"; else echo "FAIL: $description"; status=1; fi
}
