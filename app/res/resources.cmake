# cvq_resources: ConvertVtq.rc compiled by windres into an object that ConvertVtq.exe (and any test that
# needs the templates, strings or pictures) links. Consumers get resource.h on their include path.
set(CVQ_RES_DIR ${CMAKE_CURRENT_LIST_DIR})

add_library(cvq_resources OBJECT ${CVQ_RES_DIR}/ConvertVtq.rc)
target_include_directories(cvq_resources PUBLIC ${CVQ_RES_DIR})
# The script states its own code page (#pragma code_page), so no windres option is needed.

# The pictures, headers and manifest the script pulls in: a change to any of them recompiles it.
file(GLOB CVQ_RES_PICTURES CONFIGURE_DEPENDS ${CVQ_RES_DIR}/pictures/*)
set_source_files_properties(${CVQ_RES_DIR}/ConvertVtq.rc PROPERTIES OBJECT_DEPENDS
  "${CVQ_RES_PICTURES};${CVQ_RES_DIR}/resource.h;${CVQ_RES_DIR}/framework_ids.h;${CVQ_RES_DIR}/ConvertVtq.manifest")
