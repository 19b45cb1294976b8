# cmake -DPROJECT_SOURCE_DIR=... -P CheckReadmeKeys.cmake: fails unless the README's key table is
# the one of docs/keys.table.
include(${CMAKE_CURRENT_LIST_DIR}/KeyTable.cmake)
vidlark_key_table(usage man markdown)
file(READ ${PROJECT_SOURCE_DIR}/README.md readme)
string(FIND "${readme}" "${markdown}" at)
if(at LESS 0)
    message(FATAL_ERROR "README.md does not hold the key table of docs/keys.table:\n${markdown}")
endif()
