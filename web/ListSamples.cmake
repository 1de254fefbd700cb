# Run at build time in the site's samples folder: writes samples.json, the
# files the page fetches (every packed effect and texture) and the moment
# each compared sample is shown at, from samples/reference-times.txt.
# Arguments: -DSITE_SAMPLES=<folder> -DREFERENCE_TIMES=<file>
file(GLOB_RECURSE files RELATIVE ${SITE_SAMPLES} ${SITE_SAMPLES}/*.eff ${SITE_SAMPLES}/image/*)
list(SORT files)
list(JOIN files "\", \"" files)
file(STRINGS ${REFERENCE_TIMES} moments REGEX "^[^#]")
list(TRANSFORM moments REPLACE "^([^ ]+) ([0-9]+).*$" "\"\\1\": \\2")
list(JOIN moments ", " moments)
file(WRITE ${SITE_SAMPLES}/samples.json "{\"files\": [\"${files}\"],\n \"moments\": {${moments}}}\n")
