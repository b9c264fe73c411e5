# awk -f LinesInOrder.awk WANTED FILE: whether FILE holds the lines of WANTED (lines starting
# with # and empty lines left out) in that order, leading blanks not counted; prints the
# first one missing.
BEGIN {
    count = 0
    found = 0
}
NR == FNR {
    if ($0 !~ /^#/ && NF)
        wanted[count++] = $0
    next
}
{
    line = $0
    sub(/^[ \t]+/, "", line)
    if (found < count && line == wanted[found])
        found++
}
END {
    if (found < count) {
        print "not in the repository: " wanted[found]
        exit 1
    }
}
