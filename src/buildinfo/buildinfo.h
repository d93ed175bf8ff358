#pragma once
// What this build is: the version from the build system and, when it was
// built from a git checkout, the commit. Plain C++ with no Qt and no other
// tool header, so both programs (and the simulator, which may use nothing of
// the tool) can say which build they are.

namespace buildinfo {

// "2.0.0"
const char *version();

// "1a2b3c4d5e", "1a2b3c4d5e-modified" (built from an edited tree), or ""
// when the sources were not a git checkout or git was not there.
const char *gitCommit();

// "2.0.0 (git 1a2b3c4d5e)", or "2.0.0" without a commit: the one string for
// --version, Help > About and the export's document properties.
const char *versionString();

} // namespace buildinfo
