# The program's icon set: each entry is "<name in the set>=<source>". A source beginning with
# "breeze:" is a file of the Breeze icon theme (Debian package breeze-icon-theme); any other is a
# drawing of ours in this folder, in the same style. The set is compiled into platform_ui, so the
# program looks the same whatever desktop theme is present.
set(QV_ICON_THEME_DIR /usr/share/icons/breeze)
set(QV_ICONS
  # tool bars and menus
  document-new=breeze:actions/16/document-new.svg
  document-open=breeze:actions/16/document-open.svg
  document-save=breeze:actions/16/document-save.svg
  document-print=breeze:actions/16/document-print.svg
  help-about=breeze:actions/16/help-about.svg
  locate=breeze:actions/16/crosshairs.svg
  edit-cut=breeze:actions/16/edit-cut.svg
  edit-copy=breeze:actions/16/edit-copy.svg
  edit-paste=breeze:actions/16/edit-paste.svg
  edit-delete=breeze:actions/16/edit-delete.svg
  edit-find=breeze:actions/16/edit-find.svg
  find-next=breeze:actions/16/go-down-search.svg
  edit-undo=breeze:actions/16/edit-undo.svg
  edit-redo=breeze:actions/16/edit-redo.svg
  bookmark-toggle=breeze:actions/16/bookmark-new.svg
  bookmark-next=breeze:actions/16/go-down-skip.svg
  bookmark-previous=breeze:actions/16/go-up-skip.svg
  bookmark-clear=breeze:actions/16/bookmark-remove.svg
  program-build=breeze:actions/16/run-build.svg
  program-run=breeze:actions/16/media-playback-start.svg
  program-stop=breeze:actions/16/media-playback-pause.svg
  program-kill=breeze:actions/16/process-stop.svg
  enable-drive=enable-drive.svg
  disable-all=disable-all.svg
  # message boxes
  dialog-error=breeze:status/64/dialog-error.svg
  dialog-question=breeze:status/64/dialog-question.svg
  dialog-warning=breeze:status/64/dialog-warning.svg
  dialog-information=breeze:status/64/dialog-information.svg
  # tree items and windows
  application=quorvance.svg
  online-root=breeze:devices/16/network-wired.svg
  folder=breeze:places/16/folder.svg
  project-folder=breeze:places/16/folder-build.svg
  programs-folder=breeze:places/16/folder-script.svg
  archives-folder=breeze:places/16/folder-tar.svg
  source-file=breeze:mimetypes/16/text-x-csrc.svg
  header-file=breeze:mimetypes/16/text-x-chdr.svg
  plain-file=breeze:mimetypes/16/text-x-generic.svg
  program=breeze:mimetypes/16/application-x-executable.svg
  program-running=breeze:actions/16/media-playback-start.svg
  cam-file=breeze:mimetypes/16/x-office-spreadsheet.svg
  variable=breeze:actions/16/code-variable.svg
  properties=breeze:actions/16/document-properties.svg
  drive=drive.svg
  drive-tarvik=drive-tarvik.svg
  drive-tarvik-sercos=drive-tarvik-sercos.svg
  drive-fenwa=drive-fenwa.svg
  drive-zelna=drive-zelna.svg
  drive-merrix=drive-merrix.svg
  drive-placeholder=drive-broken.svg
  motor=motor.svg
  digital-inputs=io-digital-in.svg
  digital-outputs=io-digital-out.svg
  analog-inputs=io-analog-in.svg
  analog-outputs=io-analog-out.svg
  mode-configuration=breeze:actions/16/configure.svg
  tuning=breeze:actions/16/view-media-equalizer.svg
  preset=breeze:actions/16/media-seek-forward.svg
  analog-mode=breeze:actions/16/office-chart-line-stacked.svg
  follower=breeze:actions/16/insert-link.svg
  encoders=breeze:actions/16/object-rotate-right.svg
  indexing=breeze:actions/16/distribute-horizontal.svg
  move=breeze:actions/16/transform-move.svg
  homing=breeze:actions/16/go-home.svg
  monitor=breeze:actions/16/speedometer.svg
  oscilloscope=breeze:actions/16/office-chart-line.svg
  faults=breeze:status/16/dialog-warning.svg
  devicenet=breeze:actions/16/network-connect.svg
  service-info=breeze:actions/16/tools.svg
  control-panel=breeze:devices/16/input-tvremote.svg
  override-outputs=breeze:actions/16/document-edit.svg
  analysis=breeze:actions/16/view-statistics.svg
  program-encoder=breeze:actions/16/document-export.svg
)

# qv_add_icon_set(<target>): compiles the set into the target as the resource folder ":/icons", each
# file under its name in the set (":/icons/document-new.svg").
function(qv_add_icon_set target)
  set(qrc "<RCC>\n  <qresource prefix=\"/icons\">\n")
  foreach(entry IN LISTS QV_ICONS)
    string(REPLACE "=" ";" parts "${entry}")
    list(GET parts 0 name)
    list(GET parts 1 source)
    if(source MATCHES "^breeze:(.*)$")
      set(file ${QV_ICON_THEME_DIR}/${CMAKE_MATCH_1})
    else()
      set(file ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${source})
    endif()
    if(NOT EXISTS ${file})
      message(FATAL_ERROR "Icon \"${name}\": ${file} is missing; scripts/install-deps installs breeze-icon-theme")
    endif()
    string(APPEND qrc "    <file alias=\"${name}.svg\">${file}</file>\n")
  endforeach()
  string(APPEND qrc "  </qresource>\n</RCC>\n")
  set(out ${CMAKE_BINARY_DIR}/generated/icons/icons.qrc)
  # Rewritten only when the list changes, so an unchanged set is not compiled again.
  file(CONFIGURE OUTPUT ${out} CONTENT "${qrc}" @ONLY)
  qt6_add_resources(sources ${out})
  set_source_files_properties(${sources} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
  target_sources(${target} PRIVATE ${sources})
endfunction()
