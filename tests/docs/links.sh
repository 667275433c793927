#!/bin/bash
# Every relative link and picture in README.md and docs/*.md names a file that
# exists and, after #, a heading in it as GitHub makes anchors: lower case,
# spaces to -, punctuation but - and _ dropped. usage: links.sh TOP
cd "$1" && shopt -s nullglob || exit 2
anchors() {
    awk '/^```/ { code = !code } !code && /^#+ / { sub(/^#+ +/, ""); print tolower($0) }' "$1" |
        sed 's/[^[:alnum:] _-]//g; s/ /-/g'
}
status=0 links=0
for page in README.md docs/*.md; do
    for link in $(grep -o ']([^)]*)' "$page" | sed 's/^](//; s/)$//' | grep -Ev '^(https?:|mailto:)'); do
        file=${link%%#*} target=$page links=$((links + 1))
        [ -z "$file" ] || target=$(dirname "$page")/$file
        if [ ! -e "$target" ]; then
            echo "FAIL: $page links to $link: there is no $target" && status=1
        elif [[ $link == *#* ]] && ! anchors "$target" | grep -qxF -- "${link#*#}"; then
            echo "FAIL: $page links to $link: $target has no such heading" && status=1
        fi
    done
done
[ $status = 1 ] || echo "the $links relative links and pictures in README.md and docs/*.md hold"; exit $status
