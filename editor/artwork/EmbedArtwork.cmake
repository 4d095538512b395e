# Run at build time (cmake -P): writes one C++ source that holds every artwork document as a
# NUL-terminated char array, plus the ordered Note Sync list. Each constant is a line break followed by
# the file's bytes: the documents keep the form a drawing editor saves (text starting with a line break
# before the XML declaration), while the files on disk stay well-formed XML that strict readers open.
#   ARTWORK_DIR        folder of the .svg files
#   ARTWORK            list of pairs: constant name, file name
#   NOTE_SYNC_ARTWORK  the Note Sync file names in list order
#   OUTPUT             the .cpp to write

function(embed_bytes file out_var)
  file(READ "${ARTWORK_DIR}/${file}" hex HEX)
  string(LENGTH "${hex}" hex_length)
  if(hex_length EQUAL 0)
    message(FATAL_ERROR "Artwork file ${file} is empty")
  endif()
  # "<?xml": anything in front of the declaration (the line break is added below) makes the file
  # ill-formed for strict XML readers and would double the constant's leading line break.
  string(SUBSTRING "${hex}" 0 10 head)
  if(NOT head STREQUAL "3c3f786d6c")
    message(FATAL_ERROR "Artwork file ${file} must start with its XML declaration")
  endif()
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  # A NUL inside a document would cut it short for every reader of the constant.
  string(FIND "${bytes}" "'\\x00'" nul_at)
  if(NOT nul_at EQUAL -1)
    message(FATAL_ERROR "Artwork file ${file} contains a NUL byte")
  endif()
  # Forty bytes per line keeps the generated source readable in a diff or debugger.
  string(REGEX REPLACE "(('\\\\x..',){40})" "\\1\n\t" bytes "${bytes}")
  set(${out_var} "'\\x0a',${bytes}'\\0'" PARENT_SCOPE)
endfunction()

set(text "// Generated from editor/artwork/*.svg by EmbedArtwork.cmake; do not edit.\n")
string(APPEND text "#include \"editor/artwork/Artwork.h\"\n\n")

list(LENGTH ARTWORK count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET ARTWORK ${i} name)
  list(GET ARTWORK ${j} file)
  embed_bytes("${file}" bytes)
  string(APPEND text "// ${file}\nconst char ${name}[] = {\n\t${bytes}};\n\n")
endforeach()

set(entries "")
set(index 0)
string(APPEND text "namespace\n{\n")
foreach(file ${NOTE_SYNC_ARTWORK})
  embed_bytes("${file}" bytes)
  string(APPEND text "// ${file}\nconst char noteSyncEntry${index}[] = {\n\t${bytes}};\n\n")
  string(APPEND entries "noteSyncEntry${index}, ")
  math(EXPR index "${index} + 1")
endforeach()
string(APPEND text "} // namespace\n\n")
string(APPEND text "constexpr std::array<const char*, kNoteSyncSvgCount> noteSyncSvgs = {${entries}};\n")

# Only replace the output when it changed, so an unchanged document rebuilds nothing.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" previous)
  if(previous STREQUAL text)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${text}")
