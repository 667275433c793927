# Who Tallivox is, as cmake/TallivoxIdentity.cmake says it once: each of its
# one-line set()s of a TALLIVOX_ name, read as a shell assignment.
eval "$(sed -n 's/^set(\(TALLIVOX_[A-Z_]*\) \(.*\))$/\1=\2/p' "${BASH_SOURCE%/*}/../cmake/TallivoxIdentity.cmake")"
