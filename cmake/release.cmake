# Where a release's files are published: the address the winget and Scoop
# manifests of `make dist` give for each setup and zip (the file's name is
# appended), {version} standing for the version. The default is on a domain
# reserved never to resolve, so no manifest names a host we do not own; a
# publisher sets the real one, e.g.
#   cmake --preset win32 -DQUORVEX_RELEASE_URL=https://example.org/quorvex/v{version}/
set(QUORVEX_RELEASE_URL "https://releases.quorvex.invalid/v{version}/" CACHE STRING
  "Base address of a release's files; {version} stands for the version")
