# Turns the "Options:" section of a Qt program's --help into man page paragraphs, one .TP per
# option, so that the manual lists exactly the options the program knows.
function roffText(text) {
    gsub(/\\/, "\\e", text)
    # Options named in a description are written with real minus signs, as in the headings.
    text = gensubMinus(text)
    return text
}
function gensubMinus(text,    out, rest, position) {
    out = ""
    rest = text
    while (match(rest, /(^|[ (\/"])--?[A-Za-z]/)) {
        position = RSTART + (substr(rest, RSTART, 1) == "-" ? 0 : 1)
        out = out substr(rest, 1, position - 1)
        rest = substr(rest, position)
        while (substr(rest, 1, 1) == "-") {
            out = out "\\-"
            rest = substr(rest, 2)
        }
    }
    return out rest
}
function heading(spec,    parts, count, index1, word, line) {
    # "-o, --output <FILE>" becomes bold names and an italic value.
    count = split(spec, parts, " ")
    line = ""
    for (index1 = 1; index1 <= count; ++index1) {
        word = parts[index1]
        if (word ~ /^</) {
            gsub(/[<>]/, "", word)
            line = line " \\fI" word "\\fR"
        } else {
            comma = sub(/,$/, "", word)
            gsub(/-/, "\\-", word)
            line = line (line == "" ? "" : " ") "\\fB" word "\\fR" (comma ? "," : "")
        }
    }
    return line
}
function flush() {
    if (spec == "")
        return
    print ".TP"
    print heading(spec)
    text = description
    if (substr(text, 1, 1) == "." || substr(text, 1, 1) == "'")
        text = "\\&" text
    print roffText(text)
    spec = ""
    description = ""
}
/^[^ ]/ {
    flush()
    inOptions = ($0 == "Options:")
    next
}
!inOptions { next }
/^  -/ {
    flush()
    line = substr($0, 3)
    if (match(line, /  +/)) {
        spec = substr(line, 1, RSTART - 1)
        description = substr(line, RSTART + RLENGTH)
    } else {
        spec = line
        description = ""
    }
    next
}
/^ +[^ ]/ {
    text = $0
    sub(/^ +/, "", text)
    description = description (description == "" ? "" : " ") text
    next
}
END { flush() }
