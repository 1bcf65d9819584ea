# Unpacks the download (ZIP) into a fresh folder (DEST), as a user would before starting it.
if(NOT EXISTS "${ZIP}")
    message(FATAL_ERROR "${ZIP} is missing: scripts/package makes it")
endif()
file(REMOVE_RECURSE "${DEST}")
file(MAKE_DIRECTORY "${DEST}")
file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${DEST}")
