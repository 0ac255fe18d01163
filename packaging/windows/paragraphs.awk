# The licence text for the setup's licence page, whose box wraps lines itself: each paragraph and
# each list item on one line, so that no line the text file wraps at 76 columns ends short in the
# box. Headings and their underlines stay lines of their own; the indentation goes. CR LF in, CR LF
# out.
function flush() {
    if (paragraph != "") printf "%s\r\n", paragraph
    paragraph = ""
}
{
    sub(/\r$/, "")
    line = $0
    sub(/^[ \t]+/, "", line)
}
line == "" { flush(); printf "\r\n"; next }
line ~ /^(=+|-+)$/ { flush(); printf "%s\r\n", line; next }
line ~ /^([-*]|[0-9]+\.) / { flush() }
{ paragraph = paragraph == "" ? line : paragraph " " line }
END { flush() }
