# Source-package entries derived from the machine's own package sources.

# Prints, in deb822 form, one deb-src entry for each distinct URI that a "deb" entry of this
# machine serves the given suite from, with that entry's components and Signed-By key. Reads
# the files apt reads under the given apt folder: sources.list and sources.list.d/*.list (one
# line per entry) and sources.list.d/*.sources (deb822 paragraphs). Prints nothing when no
# deb entry names the suite.
deb_src_entries() {
  local apt_dir=$1 suite=$2
  local lists=() paragraphs=() f
  [ -f "$apt_dir/sources.list" ] && lists+=("$apt_dir/sources.list")
  for f in "$apt_dir"/sources.list.d/*.list; do [ -f "$f" ] && lists+=("$f"); done
  for f in "$apt_dir"/sources.list.d/*.sources; do [ -f "$f" ] && paragraphs+=("$f"); done
  {
    [ ${#lists[@]} -eq 0 ] || awk -v suite="$suite" '
      { sub(/#.*/, "") }
      $1 != "deb" { next }
      {
        signed = ""; i = 2
        if ($2 ~ /^\[/) {
          for (; i <= NF; i++) {
            if ($i ~ /^\[?signed-by=/) { s = $i; sub(/^\[?signed-by=/, "", s); sub(/\]$/, "", s); signed = s }
            if ($i ~ /\]$/) { i++; break }
          }
        }
        if ($(i + 1) != suite) next
        components = ""
        for (j = i + 2; j <= NF; j++) components = components (components == "" ? "" : " ") $j
        print $i "\t" components "\t" signed
      }' "${lists[@]}"
    [ ${#paragraphs[@]} -eq 0 ] || awk -v suite="$suite" '
      function flush(   n, u, i, s, hasDeb, hasSuite, t) {
        if (types != "" && enabled != "no") {
          n = split(types, t, /[ \t]+/); hasDeb = 0
          for (i = 1; i <= n; i++) if (t[i] == "deb") hasDeb = 1
          n = split(suites, s, /[ \t]+/); hasSuite = 0
          for (i = 1; i <= n; i++) if (s[i] == suite) hasSuite = 1
          if (hasDeb && hasSuite) {
            n = split(uris, u, /[ \t]+/)
            for (i = 1; i <= n; i++) if (u[i] != "") print u[i] "\t" components "\t" signed
          }
        }
        types = uris = suites = components = signed = enabled = ""; field = ""
      }
      FNR == 1 { flush() }
      /^[ \t]*#/ { next }
      /^[ \t]*$/ { flush(); next }
      /^[ \t]/ { if (field == "signed-by") signed = signed "\001" $0; next }
      {
        field = tolower($0); sub(/:.*/, "", field)
        value = $0; sub(/^[^:]*:[ \t]*/, "", value); sub(/[ \t]+$/, "", value)
        if (field == "types") types = value
        else if (field == "uris") uris = value
        else if (field == "suites") suites = value
        else if (field == "components") components = value
        else if (field == "signed-by") signed = value
        else if (field == "enabled") enabled = tolower(value)
      }
      END { flush() }' "${paragraphs[@]}"
  } | awk -F '\t' -v suite="$suite" '
    !seen[$1]++ {
      printf "%sTypes: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n", (printed++ ? "\n" : ""), $1, suite, $2
      if ($3 != "") {
        gap = substr($3, 1, 1) == "\001" ? "" : " "
        gsub(/\001/, "\n", $3)
        printf "Signed-By:%s%s\n", gap, $3
      }
    }'
}
