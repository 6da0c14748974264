# cmake -DKVF=... -DPDFTOTEXT=... [-DPDFIMAGES=...] -DCATALOG=DIR -DREPORTS=DIR -DORDERS=DIR -DSELECTION=FILE -DWORK=DIR
#       -P check_reports.cmake
# Prints every demo template for every demo order (and the selection
# templates for the demo selection) into PDF files through a configuration of
# its own, and fails unless each PDF's text names the order and its customer
# and the offer carries the total in words and the firm's logo.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/server/Orders ${WORK}/pdf)
file(GLOB orders ${ORDERS}/*.kfo370)
file(COPY ${orders} DESTINATION ${WORK}/server/Orders)
file(COPY ${SELECTION} DESTINATION ${WORK})
set(ENV{KORVENA_REGISTRY} ${WORK}/registry.reg)
set(ENV{QT_QPA_PLATFORM} offscreen)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${status}): ${errors}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

# The text of a PDF with its line breaks turned into blanks.
function(pdf_text pdf variable)
  run(${PDFTOTEXT} -raw ${pdf} -)
  string(REPLACE "\n" " " output "${output}")
  set(${variable} "${output}" PARENT_SCOPE)
endfunction()

function(expect_in text what pdf)
  string(FIND "${text}" "${what}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${pdf} lacks \"${what}\":\n${text}")
  endif()
endfunction()

run(${KVF} config add Demo --catalog ${CATALOG} --server ${WORK}/server --reports ${REPORTS} --temp ${WORK} --default)

foreach(order IN LISTS orders)
  get_filename_component(name ${order} NAME_WE)
  file(READ ${ORDERS}/${name}.json json)
  string(JSON number GET "${json}" OrderNo)
  string(JSON customer GET "${json}" Customer)
  set(copy ${WORK}/server/Orders/${name}.kfo370)
  run(${KVF} report eval ${copy} "_MONEYBYWORD_RUS(_ORDER_TOTALWITHNDS)")
  string(STRIP "${output}" words)
  foreach(template offer fittings materials request)
    set(pdf ${WORK}/pdf/${name}_${template}.pdf)
    run(${KVF} print ${copy} --template ${REPORTS}/${template}.kfr --pdf ${pdf})
    pdf_text(${pdf} text)
    expect_in("${text}" "${number}" ${pdf})
    expect_in("${text}" "${customer}" ${pdf})
    if(template STREQUAL "offer")
      expect_in("${text}" "${words}" ${pdf})
      # The firm's logo from the settings is on the page.
      if(PDFIMAGES)
        run(${PDFIMAGES} -list ${pdf})
        string(FIND "${output}" " image " at)
        if(at EQUAL -1)
          message(FATAL_ERROR "${pdf} has no logo:\n${output}")
        endif()
      endif()
    endif()
  endforeach()
  run(${KVF} print ${copy} --group --pdf-dir ${WORK}/pdf/${name}_group)
  file(GLOB group_pdfs ${WORK}/pdf/${name}_group/*.pdf)
  list(LENGTH group_pdfs count)
  if(NOT count EQUAL 3)
    message(FATAL_ERROR "${name}: the group print made ${count} PDF files, not 3")
  endif()
endforeach()

get_filename_component(selection ${SELECTION} NAME)
run(${KVF} print ${WORK}/${selection} --group --pdf-dir ${WORK}/pdf/selection)
foreach(template sel_materials sel_positions)
  pdf_text(${WORK}/pdf/selection/${template}.pdf text)
  expect_in("${text}" "ВЫБ-001" ${template})
  expect_in("${text}" "ДЕМО-002" ${template})
endforeach()

# Failures name the template, band and view, exit with status 1 and write nothing.
set(copy ${WORK}/server/Orders/flat.kfo370)
file(WRITE ${WORK}/broken.kfr
  "<report><band type=\"MasterData\" name=\"Rows\" source=\"frdOrderPosSpec\" height=\"5\">"
  "<text name=\"Memo1\" width=\"50\" height=\"5\">[_POS_NAME + ]</text></band></report>")
file(WRITE ${WORK}/unknown.kfr
  "<report><band type=\"MasterData\" name=\"Rows\" source=\"frdOrderPosSpec\" height=\"5\">"
  "<text name=\"Memo2\" width=\"50\" height=\"5\">[_POS_NOPE]</text></band></report>")
file(WRITE ${WORK}/nosource.kfr
  "<report><band type=\"MasterData\" name=\"Rows\" source=\"frdNowhere\" height=\"5\"/></report>")
foreach(case broken:Memo1 unknown:Memo2 nosource:frdNowhere)
  string(REPLACE ":" ";" parts ${case})
  list(GET parts 0 template)
  list(GET parts 1 named)
  execute_process(COMMAND ${KVF} print ${copy} --template ${WORK}/${template}.kfr --pdf ${WORK}/${template}.pdf
                  RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_QUIET)
  if(NOT status EQUAL 1 OR EXISTS ${WORK}/${template}.pdf)
    message(FATAL_ERROR "${template}.kfr: status ${status}, a PDF was written or the failure was not reported")
  endif()
  foreach(what ${template}.kfr Rows ${named})
    string(FIND "${errors}" "${what}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${template}.kfr: the message does not name ${what}: ${errors}")
    endif()
  endforeach()
endforeach()
execute_process(COMMAND ${KVF} report eval ${copy} "_ORDER_NOPE" RESULT_VARIABLE status ERROR_VARIABLE errors
                OUTPUT_QUIET)
if(NOT status EQUAL 1)
  message(FATAL_ERROR "kvf report eval of an unknown variable gave status ${status}")
endif()
run(${KVF} report eval ${copy} "_FCIS_ARTICLE + ' x' + _FCIS_COUNT" --pos 002 --sash 2 --item 0)
run(${KVF} report eval ${copy} "_OMS_ID" --mat 0 --by-name)
run(${KVF} words 1234.56 --currency 1 --config Demo)
if(NOT output STREQUAL "Одна тысяча двести тридцать четыре рубля 56\n")
  message(FATAL_ERROR "kvf words printed \"${output}\"")
endif()
