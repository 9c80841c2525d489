# Renders a Markdown file of ours as a web page that opens by itself in a
# browser (the Windows package has no Markdown viewer to count on):
#   cmake -DCMARK=cmark-gfm -DINPUT=README.md -DOUTPUT=README.html -DTITLE=... -P MarkdownPage.cmake
# GitHub's dialect (cmark-gfm), for the tables; links to the other Markdown
# pages lead to their rendered .html, and headings get GitHub's ids so that
# links to #sections work.
execute_process(COMMAND ${CMARK} --extension table --extension autolink --to html ${INPUT}
                OUTPUT_VARIABLE body RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${CMARK} could not render ${INPUT}")
endif()
string(REGEX REPLACE "href=\"([^\":]+)\\.md(#[^\"]*|)\"" "href=\"\\1.html\\2\"" body "${body}")
string(REGEX MATCHALL "<h[1-6]>[^<;]*</h[1-6]>" headings "${body}")
foreach(heading IN LISTS headings)
  string(REGEX REPLACE "^<h([1-6])>(.*)</h[1-6]>$" "\\1" level "${heading}")
  string(REGEX REPLACE "^<h([1-6])>(.*)</h[1-6]>$" "\\2" text "${heading}")
  string(TOLOWER "${text}" id)
  string(REGEX REPLACE "[^a-z0-9 _-]" "" id "${id}")
  string(REPLACE " " "-" id "${id}")
  string(REPLACE "${heading}" "<h${level} id=\"${id}\">${text}</h${level}>" body "${body}")
endforeach()
file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html>
<head>
<meta charset=\"utf-8\">
<title>${TITLE}</title>
</head>
<body>
${body}</body>
</html>
")
