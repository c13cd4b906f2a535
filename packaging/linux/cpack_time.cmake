# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE): the package's
# archives carry the time of the commit, not the time of packing.
include("${CPACK_GRIFFWANDLER_SOURCE_DIR}/cmake/griff_source_date.cmake")
griff_source_date_epoch(epoch "${CPACK_GRIFFWANDLER_SOURCE_DIR}")
set(ENV{SOURCE_DATE_EPOCH} ${epoch})
