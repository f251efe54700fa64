# Precompiled Qt headers, compiled once and shared by every target that uses
# Qt Widgets, tests included: parsing Qt's headers is a good part of the time
# of a first build. QtTest stays out: Qt defines QT_TESTCASE_BUILDDIR per test
# folder, and GCC refuses a precompiled header made with another value.
#
# pelquor_share_precompiled_headers() is called once at the end of the top
# CMakeLists.txt; it finds the targets by what they link, so new targets need
# nothing of their own. -DPELQUOR_PCH=OFF builds without.
option(PELQUOR_PCH "Share precompiled Qt headers between targets" ON)

set(pelquor_pch_widgets
  <QObject> <QString> <QStringList> <QList> <QMap> <QHash> <QSet> <QVariant> <QPointer>
  <QFile> <QDir> <QFileInfo> <QTimer> <QProcess> <QRegularExpression> <QUrl>
  <QCoreApplication> <QGuiApplication> <QApplication>
  <QColor> <QFont> <QImage> <QPainter> <QPainterPath> <QMouseEvent>
  <QWidget> <QDialog> <QLabel> <QPushButton> <QLineEdit> <QComboBox> <QListWidget>
  <QTreeWidget> <QTextEdit> <QMenu> <QMessageBox> <QVBoxLayout>
  <functional> <memory> <vector>)

function(pelquor_links target wanted result)
  # Whether `target` compiles with `wanted`'s usage requirements: linked
  # directly, or passed on by one of our libraries (a library's private
  # links do not reach the targets that use it).
  get_target_property(libraries ${target} LINK_LIBRARIES)
  set(answer OFF)
  foreach(library IN LISTS libraries)
    if(library STREQUAL wanted)
      set(answer ON)
    elseif(TARGET ${library} AND NOT library MATCHES "::")
      pelquor_passes_on(${library} ${wanted} answer)
    endif()
    if(answer)
      break()
    endif()
  endforeach()
  set(${result} ${answer} PARENT_SCOPE)
endfunction()

function(pelquor_passes_on target wanted result)
  set(key pelquor_pch_${target}_${wanted})
  string(MAKE_C_IDENTIFIER ${key} key)
  get_property(seen GLOBAL PROPERTY ${key} SET)
  if(seen)
    get_property(answer GLOBAL PROPERTY ${key})
    set(${result} ${answer} PARENT_SCOPE)
    return()
  endif()
  set(answer OFF)
  get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
  foreach(library IN LISTS interface)
    if(library STREQUAL wanted)
      set(answer ON)
    elseif(TARGET ${library} AND NOT library MATCHES "::")
      pelquor_passes_on(${library} ${wanted} inner)
      if(inner)
        set(answer ON)
      endif()
    endif()
    if(answer)
      break()
    endif()
  endforeach()
  set_property(GLOBAL PROPERTY ${key} ${answer})
  set(${result} ${answer} PARENT_SCOPE)
endfunction()

# ccache caches compilations that use a precompiled header only when told to
# be lenient about it.
function(pelquor_pch_launcher target)
  get_target_property(launcher ${target} CXX_COMPILER_LAUNCHER)
  if(launcher MATCHES "ccache$")
    set_target_properties(${target} PROPERTIES CXX_COMPILER_LAUNCHER
      "env;CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime;${launcher}")
  endif()
endfunction()

function(pelquor_collect_targets directory result)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    pelquor_collect_targets(${subdirectory} more)
    list(APPEND targets ${more})
  endforeach()
  set(${result} ${targets} PARENT_SCOPE)
endfunction()

function(pelquor_share_precompiled_headers)
  if(NOT PELQUOR_PCH)
    return()
  endif()
  set(pch_source ${CMAKE_BINARY_DIR}/pelquor_pch.cpp)
  file(WRITE ${pch_source} "// Carries the shared precompiled headers.\n")
  add_library(pelquor_pch_widgets STATIC ${pch_source})
  target_link_libraries(pelquor_pch_widgets PRIVATE Qt6::Widgets pelquor_options)
  target_precompile_headers(pelquor_pch_widgets PRIVATE ${pelquor_pch_widgets})
  pelquor_pch_launcher(pelquor_pch_widgets)

  pelquor_collect_targets(${CMAKE_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE|SHARED_LIBRARY)$" OR target MATCHES "^pelquor_pch_")
      continue()
    endif()
    # The header is made with Qt Widgets and our build-wide definitions;
    # GCC uses it only where both are the same.
    pelquor_links(${target} Qt6::Widgets widgets)
    pelquor_links(${target} pelquor_options options)
    if(NOT widgets OR NOT options)
      continue()
    endif()
    pelquor_pch_launcher(${target})
    target_precompile_headers(${target} REUSE_FROM pelquor_pch_widgets)
  endforeach()
endfunction()
