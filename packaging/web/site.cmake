# Puts the web site together (run with cmake -P by the web_site target):
#
#   -DSITE=folder -DPROGRAM=folder with griffwandler.js and .wasm
#   -DSOURCE=packaging/web -DICONS=list of icon PNGs -DGZIP=gzip -DBROTLI=brotli or empty
#   -DNODE=node -DTWINS=bilder@2x.rcc (the pictures for fine screens, fetched
#   only there, so not among the files the service worker keeps at once)
#
# The page, the start script, the style, the manifest and the icons go beside
# the program; the service worker's cache is named by a hash of all of them,
# so that every build replaces the last one cleanly. The larger files are also
# stored precompressed (.gz, .br), for servers that hand those out.
file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE})

file(COPY ${PROGRAM}/griffwandler.js ${PROGRAM}/griffwandler.wasm
          ${SOURCE}/griffwandler-start.js ${SOURCE}/griffwandler.css ${TWINS}
     DESTINATION ${SITE})
set(files griffwandler.js griffwandler.wasm griffwandler-start.js griffwandler.css)
foreach(icon IN LISTS ICONS)
    get_filename_component(name ${icon} NAME)
    file(COPY ${icon} DESTINATION ${SITE})
    list(APPEND files ${name})
endforeach()

# What the page may run and load: its own scripts, styles and pictures, the
# program's WebAssembly, and nothing inline; no eval.
set(SITE_CSP "default-src 'none'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; \
img-src 'self'; connect-src 'self'; worker-src 'self'; manifest-src 'self'; base-uri 'none'; \
form-action 'none'")

file(SIZE ${SITE}/griffwandler.wasm WASM_BYTES)
configure_file(${SOURCE}/index.html.in ${SITE}/index.html @ONLY)
configure_file(${SOURCE}/manifest.webmanifest.in ${SITE}/manifest.webmanifest @ONLY)
list(APPEND files index.html manifest.webmanifest)

# The window's start picture, which the page shows until the program's window
# is up: taken from the program itself, in chromium.
execute_process(COMMAND ${NODE} ${SOURCE}/startbild.mjs ${SITE} ${SITE}/startbild.webp
                COMMAND_ERROR_IS_FATAL ANY)
list(APPEND files startbild.webp)

set(hashes "")
foreach(name IN LISTS files)
    file(SHA256 ${SITE}/${name} hash)
    string(APPEND hashes "${name} ${hash}\n")
endforeach()
file(SHA256 ${TWINS} hash)
string(APPEND hashes "bilder@2x.rcc ${hash}\n")
string(SHA256 SITE_HASH "${hashes}")
string(SUBSTRING ${SITE_HASH} 0 16 SITE_HASH)
set(SITE_FILES "'./'")
foreach(name IN LISTS files)
    string(APPEND SITE_FILES ", '${name}'")
endforeach()
configure_file(${SOURCE}/griffwandler-sw.js.in ${SITE}/griffwandler-sw.js @ONLY)

foreach(name griffwandler.wasm griffwandler.js griffwandler-start.js griffwandler-sw.js
             griffwandler.css index.html manifest.webmanifest)
    execute_process(COMMAND ${GZIP} -9 -n -k -f ${SITE}/${name} COMMAND_ERROR_IS_FATAL ANY)
    if(BROTLI)
        execute_process(COMMAND ${BROTLI} -q 11 -k -f ${SITE}/${name} COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
# The copies keep their sources' modes, which follow the umask of whoever
# checked them out; a site is the same whoever builds it.
file(CHMOD_RECURSE ${SITE} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
     DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                           WORLD_READ WORLD_EXECUTE)
message(STATUS "Web site in ${SITE}: griffwandler.wasm ${WASM_BYTES} bytes, build ${SITE_HASH}")
