cmake_minimum_required(VERSION 3.20)
# Fails when a source file changes an XML tree with libxml2's own calls instead of the
# change channel (document/tree_edit.h), so that every change of the project is a step of
# its history. The files listed here build trees of their own: a file as it is read, an
# export being made, the channel itself.
include(${CMAKE_CURRENT_LIST_DIR}/source_layers.cmake)
set(allowed
  document/change_channel.cpp     # the channel
  document/tree_edit.cpp          # the one way in, and the direct edits of other trees
  document/xml_parse.cpp          # a file's tree as it is read
  document/xml_copy.cpp           # copies into a tree that has no channel
  import/ied_file.cpp             # the ConnectedAP made in a file that has none
  exports/ied_export.cpp          # the document of an export
  property_view/property_rows.cpp)  # the rptID a shown ReportControl lacks
set(calls xmlSetProp xmlSetNsProp xmlUnsetProp xmlUnsetNsProp xmlRemoveProp xmlUnlinkNode xmlReplaceNode
  xmlNodeSetContent xmlNodeSetContentLen xmlNodeAddContent xmlAddNextSibling xmlAddPrevSibling xmlAddSibling
  xmlNewChild xmlTextConcat)
list(JOIN calls "|" pattern)
set(found "")
foreach(folder ${source_folders})
  file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
  foreach(source ${sources})
    if(source IN_LIST allowed)
      continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "(${pattern})\\(")
    foreach(line ${lines})
      string(STRIP "${line}" line)
      string(APPEND found "\n  ${source}: ${line}")
    endforeach()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "XML trees changed outside the change channel:${found}")
endif()
