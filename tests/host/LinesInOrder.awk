# awk -f LinesInOrder.awk WANTED FILE: whether FILE holds the lines of WANTED (lines starting
# with # and empty lines left out) in that order, leading blanks not counted; prints the
# first one missing. A wanted line starting with ! is one FILE must not hold between the
# wanted lines around it (before the first, after the last: from the start, to the end).
BEGIN {
    count = 0
    found = 0
}
NR == FNR {
    if ($0 ~ /^#/ || !NF)
        next
    if ($0 ~ /^!/) {
        line = substr($0, 2)
        sub(/^[ \t]+/, "", line)
        absent[count, absentCount[count]++] = line
        next
    }
    wanted[count++] = $0
    next
}
{
    line = $0
    sub(/^[ \t]+/, "", line)
    for (i = 0; i < absentCount[found]; i++) {
        if (line == absent[found, i]) {
            print "in the repository where it should not be: " line
            failed = 1
            exit 1
        }
    }
    if (found < count && line == wanted[found])
        found++
}
END {
    if (failed)
        exit 1
    if (found < count) {
        print "not in the repository: " wanted[found]
        exit 1
    }
}
