#!/usr/bin/env bash
# Makes the golden files of the end-to-end tests: for each (form, template) pair below, what the
# Preview page must show, computed by the engine itself (e2e_golden_maker, native build).
#
#   tests/e2e/make_goldens.sh [--check] [MAKER]
#
# --check compares instead of writing, and fails when a golden file is out of date.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
check=0
if [[ ${1:-} == --check ]]; then
    check=1
    shift
fi
maker=${1:-$here/../../build/native/bin/e2e_golden_maker}
[[ -x $maker ]] || { echo "make_goldens: no $maker (build the native tree)" >&2; exit 1; }

# golden name, template file, name shown in a failure report, form
pairs=(
    "initial-framed Framed.ntf <Default> initial"
    "full-framed Framed.ntf <Default> full"
    "mixed-framed Framed.ntf <Default> mixed"
    "full-plain Plain.ntf Plain.ntf full"
    "full-broken Broken.ntf Broken.ntf full"
)
status=0
for pair in "${pairs[@]}"; do
    read -r golden template shown form <<<"$pair"
    out=$(mktemp)
    "$maker" "$here/templates/$template" "$shown" "$here/forms/$form.form" >"$out"
    if ((check)); then
        if ! cmp -s "$out" "$here/golden/$golden.nfo"; then
            echo "make_goldens: golden/$golden.nfo is out of date (run tests/e2e/make_goldens.sh)" >&2
            status=1
        fi
        rm -f "$out"
    else
        chmod 644 "$out"
        mv "$out" "$here/golden/$golden.nfo"
    fi
done
exit $status
