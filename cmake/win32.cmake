# Windows build (MinGW-w64 cross compile): the Win32 platform, helpers and the contract
# suite, which ctest runs under Wine (label e2e).

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(quellix_win32 STATIC
  src/platform/win32/win32_code_page.cpp
  src/platform/win32/win32_desktop.cpp
  src/platform/win32/win32_child_controls.cpp
  src/platform/win32/win32_window_watch.cpp
  src/platform/win32/win32_registry.cpp
  src/platform/win32/win32_registry_watch.cpp
  src/platform/win32/win32_files.cpp
  src/platform/win32/wide_text.cpp
  src/platform/win32/win32_misc.cpp
  src/platform/win32/win32_file_dialog.cpp
  src/platform/win32/win32_dde.cpp
)
target_link_libraries(quellix_win32 PUBLIC quellix_core winmm advapi32 user32 comdlg32 shell32 ole32 uuid
                                    PRIVATE quellix_warnings)

enable_language(RC)

add_library(quellix_win32_ui STATIC
  src/platform/win32/win32_ui.cpp
  src/platform/win32/win32_icons.cpp
  src/platform/win32/win32_tray_host.cpp
  src/platform/win32/win32_window_finder.cpp
  src/platform/win32/win32_ui_forms.cpp
  src/platform/win32/win32_tooltips.cpp
  src/platform/win32/win32_lists.cpp
  src/platform/win32/win32_menus.cpp
  src/platform/win32/win32_tray.cpp
  src/platform/win32/win32_shell.cpp
  src/platform/win32/win32_canvas.cpp
  src/platform/win32/win32_drawn_button.cpp
  src/platform/win32/win32_button_accessible.cpp
)
target_link_libraries(quellix_win32_ui PUBLIC quellix_core quellix_win32 comctl32 shell32 user32 gdi32 ole32 oleaut32 oleacc
                                       PRIVATE quellix_warnings)

add_executable(quellix WIN32 src/app/quellix_main.cpp res/quellix.rc)
target_link_libraries(quellix PRIVATE quellix_win32 quellix_win32_ui quellix_warnings)
set_target_properties(quellix PROPERTIES OUTPUT_NAME quellix)
file(GLOB QUELLIX_ICONS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/icons/*.ico)
set_source_files_properties(res/quellix.rc PROPERTIES
  OBJECT_DEPENDS "${QUELLIX_ICONS};${CMAKE_SOURCE_DIR}/res/quellix.manifest")
# The default block list and the program's own burn sound go next to the program.
add_custom_command(TARGET quellix POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/res/popcfg.apo $<TARGET_FILE_DIR:quellix>/popcfg.apo
  COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:quellix>/wav
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/res/wav/7.wav $<TARGET_FILE_DIR:quellix>/wav/7.wav)

# The help file, Quellix.chm, compiled from res/help next to the program.
find_program(QUELLIX_CHMCMD chmcmd)
if(QUELLIX_CHMCMD)
  file(GLOB QUELLIX_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/help/*)
  set(QUELLIX_HELP_WORK ${CMAKE_BINARY_DIR}/help)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/Quellix.chm
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${QUELLIX_HELP_WORK}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/res/help ${QUELLIX_HELP_WORK}
    COMMAND ${CMAKE_COMMAND} -E chdir ${QUELLIX_HELP_WORK} ${QUELLIX_CHMCMD} Quellix.hhp
    COMMAND ${CMAKE_COMMAND} -E copy ${QUELLIX_HELP_WORK}/Quellix.chm ${CMAKE_BINARY_DIR}/Quellix.chm
    DEPENDS ${QUELLIX_HELP_SOURCES}
    COMMENT "Compiling the help file Quellix.chm")
  add_custom_target(quellix_help ALL DEPENDS ${CMAKE_BINARY_DIR}/Quellix.chm)
else()
  message(WARNING "chmcmd not found: Quellix.chm is not built. Install it with: bash scripts/setup.sh package")
endif()

# The per-user installer, quellix-setup.exe, from what the build put next to the program.
file(STRINGS ${CMAKE_SOURCE_DIR}/src/product/product.h QUELLIX_VERSION_LINE REGEX "kVersion = ")
string(REGEX MATCH "[0-9]+\\.[0-9]+" QUELLIX_VERSION "${QUELLIX_VERSION_LINE}")
find_program(QUELLIX_MAKENSIS makensis)
set(QUELLIX_SETUP ${CMAKE_BINARY_DIR}/quellix-setup.exe)
if(QUELLIX_MAKENSIS AND QUELLIX_CHMCMD)
  string(REPLACE "." ";" QUELLIX_VERSION_PARTS "${QUELLIX_VERSION}")
  list(GET QUELLIX_VERSION_PARTS 0 QUELLIX_VERSION_MAJOR)
  list(GET QUELLIX_VERSION_PARTS 1 QUELLIX_VERSION_MINOR)
  math(EXPR QUELLIX_VERSION_MINOR "${QUELLIX_VERSION_MINOR}")
  add_custom_command(OUTPUT ${QUELLIX_SETUP}
    COMMAND ${QUELLIX_MAKENSIS} -V2 -DVERSION=${QUELLIX_VERSION}
            -DVERSION_QUAD=${QUELLIX_VERSION_MAJOR}.${QUELLIX_VERSION_MINOR}.0.0
            -DAPPDIR=${CMAKE_BINARY_DIR} -DRESDIR=${CMAKE_SOURCE_DIR}/res -DOUTFILE=${QUELLIX_SETUP}
            ${CMAKE_SOURCE_DIR}/res/installer/quellix.nsi
    DEPENDS quellix quellix_help ${CMAKE_BINARY_DIR}/Quellix.chm ${CMAKE_SOURCE_DIR}/res/installer/quellix.nsi
            ${CMAKE_SOURCE_DIR}/res/icons/app.ico ${CMAKE_SOURCE_DIR}/res/wav/7.wav ${CMAKE_SOURCE_DIR}/res/popcfg.apo
            ${CMAKE_SOURCE_DIR}/res/installer/welcome.bmp ${CMAKE_SOURCE_DIR}/res/installer/header.bmp
    COMMENT "Building the installer quellix-setup.exe")
  add_custom_target(quellix_setup ALL DEPENDS ${QUELLIX_SETUP})
else()
  message(WARNING "makensis or chmcmd not found: the installer is not built. Install them with: bash scripts/setup.sh package")
endif()

# The machine-wide package, quellix.msi, from the same files with wixl; the version is the
# product's (src/product/product.h). For the upgrade test a second package one version later,
# msi-next/quellix.msi, is built beside it.
find_program(QUELLIX_WIXL wixl)
if(QUELLIX_WIXL AND QUELLIX_CHMCMD)
  # wixl finds the files it packs by paths relative to where it runs, never by absolute ones.
  file(RELATIVE_PATH QUELLIX_RES_FROM_BUILD ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/res)
  function(quellix_msi output version)
    # One product code per version, the same in every build of it (named from the upgrade code).
    string(UUID product_code NAMESPACE 05D1BBDD-7486-4D40-8AB9-1BD76AF5823D NAME "Quellix ${version}" TYPE SHA1 UPPER)
    add_custom_command(OUTPUT ${output}
      COMMAND ${QUELLIX_WIXL} -a x64 -D Version=${version} -D ProductCode=${product_code} -D AppDir=.
              -D ResDir=${QUELLIX_RES_FROM_BUILD} -o ${output} ${CMAKE_SOURCE_DIR}/res/installer/quellix.wxs
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
      DEPENDS quellix quellix_help ${CMAKE_BINARY_DIR}/Quellix.chm ${CMAKE_SOURCE_DIR}/res/installer/quellix.wxs
              ${CMAKE_SOURCE_DIR}/res/installer/machine-wide.txt ${CMAKE_SOURCE_DIR}/res/icons/app.ico
              ${CMAKE_SOURCE_DIR}/res/wav/7.wav ${CMAKE_SOURCE_DIR}/res/popcfg.apo
      COMMENT "Building the machine-wide package ${output} (version ${version})")
  endfunction()
  quellix_msi(${CMAKE_BINARY_DIR}/quellix.msi ${QUELLIX_VERSION})
  add_custom_target(quellix_msi ALL DEPENDS ${CMAKE_BINARY_DIR}/quellix.msi)
  if(QUELLIX_TESTS)
    string(REGEX MATCH "^[0-9]+" QUELLIX_MSI_MAJOR "${QUELLIX_VERSION}")
    string(REGEX MATCH "[0-9]+$" QUELLIX_MSI_MINOR "${QUELLIX_VERSION}")
    math(EXPR QUELLIX_MSI_NEXT "${QUELLIX_MSI_MINOR} + 1")
    if(QUELLIX_MSI_NEXT LESS 10)
      set(QUELLIX_MSI_NEXT "0${QUELLIX_MSI_NEXT}")
    endif()
    quellix_msi(${CMAKE_BINARY_DIR}/msi-next/quellix.msi ${QUELLIX_MSI_MAJOR}.${QUELLIX_MSI_NEXT})
    add_custom_target(quellix_msi_next ALL DEPENDS ${CMAKE_BINARY_DIR}/msi-next/quellix.msi)
  endif()
else()
  message(WARNING "wixl or chmcmd not found: quellix.msi is not built. Install them with: bash scripts/setup.sh package")
endif()

add_executable(quellix_spawner tools/popup_spawner.cpp tools/product_probe.cpp tools/spawned_dialog.cpp
                               src/platform/win32/wide_text.cpp)
target_include_directories(quellix_spawner PRIVATE src)
target_link_libraries(quellix_spawner PRIVATE user32 psapi comctl32 ole32 oleaut32 oleacc quellix_warnings)

add_executable(quellix_dde_responder tools/dde_responder.cpp)
target_include_directories(quellix_dde_responder PRIVATE src)
target_link_libraries(quellix_dde_responder PRIVATE user32 quellix_warnings)

add_executable(quellix_pages_bench bench/pages_bench_win32.cpp)
target_link_libraries(quellix_pages_bench PRIVATE quellix_win32 quellix_win32_ui quellix_warnings)

add_executable(quellix_tick_bench bench/tick_floor_win32.cpp)
target_link_libraries(quellix_tick_bench PRIVATE quellix_win32 quellix_warnings)

if(QUELLIX_TESTS)
  enable_testing()
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

  add_executable(quellix_contract_win32 tests/contract/platform_contract.cpp tests/contract/dde_contract.cpp
                                       tests/contract/win32_fixture.cpp)
  target_include_directories(quellix_contract_win32 PRIVATE tests)
  target_link_libraries(quellix_contract_win32 PRIVATE quellix_win32 quellix_warnings gtest gtest_main)
  # The helpers it starts beside itself.
  add_dependencies(quellix_contract_win32 quellix_spawner quellix_dde_responder)

  add_executable(quellix_file_dialog_win32 tests/win32/file_dialog_test.cpp)
  target_link_libraries(quellix_file_dialog_win32 PRIVATE quellix_win32 quellix_warnings gtest gtest_main)

  add_executable(quellix_files_win32 tests/win32/files_test.cpp)
  target_link_libraries(quellix_files_win32 PRIVATE quellix_win32 quellix_warnings gtest gtest_main)

  add_executable(quellix_ui_contract_win32 tests/contract/win32_ui_contract.cpp tests/contract/win32_tray_contract.cpp
                                          tests/contract/ui_contract.cpp
                                          tests/contract/win32_ui_fixture.cpp res/quellix.rc)
  target_include_directories(quellix_ui_contract_win32 PRIVATE tests)
  target_link_libraries(quellix_ui_contract_win32 PRIVATE quellix_win32_ui quellix_warnings gtest gtest_main)

  # With the program's resources, for the buttons' icons.
  add_executable(quellix_drawn_button_win32 tests/win32/drawn_button_test.cpp res/quellix.rc)
  target_link_libraries(quellix_drawn_button_win32 PRIVATE quellix_win32_ui quellix_warnings gtest gtest_main)

  set(QUELLIX_WINE_TEMPLATE ${CMAKE_BINARY_DIR}/wine-template)
  # A test program run under Wine in its own prefix and display.
  function(quellix_wine_program name target timeout)
    add_test(NAME ${name}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/wine_run.sh ${QUELLIX_WINE_TEMPLATE}
                     $<TARGET_FILE:${target}> --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES LABELS e2e FIXTURES_REQUIRED wine TIMEOUT ${timeout})
  endfunction()
  # A scenario tests/e2e/NAME.sh against the real program; it says PASS or FAIL:.
  function(quellix_wine_scenario name timeout)
    add_test(NAME ${name}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/${name}.sh ${QUELLIX_WINE_TEMPLATE} ${CMAKE_BINARY_DIR}
                     ${CMAKE_BINARY_DIR}/screenshots)
    set_tests_properties(${name} PROPERTIES LABELS e2e FIXTURES_REQUIRED wine TIMEOUT ${timeout}
                                            PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL:")
  endfunction()
  add_test(NAME wine_template COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/wine_template.sh ${QUELLIX_WINE_TEMPLATE})
  set_tests_properties(wine_template PROPERTIES LABELS e2e FIXTURES_SETUP wine TIMEOUT 300)

  quellix_wine_program(contract_win32 quellix_contract_win32 300)
  quellix_wine_program(ui_contract_win32 quellix_ui_contract_win32 120)
  quellix_wine_program(drawn_button_win32 quellix_drawn_button_win32 300)
  quellix_wine_program(file_dialog_win32 quellix_file_dialog_win32 300)
  quellix_wine_program(files_win32 quellix_files_win32 120)
endif()

if(QUELLIX_TESTS)
  quellix_wine_scenario(tray_mode 240)
  quellix_wine_scenario(tray_late 120)
  quellix_wine_scenario(pages 300)
  quellix_wine_scenario(extras 240)
  quellix_wine_scenario(buttons 240)
  quellix_wine_scenario(chromium 120)
  quellix_wine_scenario(policies 120)
  quellix_wine_scenario(instant 120)
  quellix_wine_scenario(unicode_folder 180)
  quellix_wine_scenario(unicode_titles 240)
  quellix_wine_scenario(rules 150)
  quellix_wine_scenario(any_script 180)
  quellix_wine_scenario(managed_list 180)
  # The main job on a private display, whatever display the caller has.
  add_test(NAME main_job
           COMMAND env -u DISPLAY bash ${CMAKE_SOURCE_DIR}/tests/e2e/main_job.sh ${QUELLIX_WINE_TEMPLATE}
                   ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/screenshots)
  set_tests_properties(main_job PROPERTIES LABELS e2e FIXTURES_REQUIRED wine TIMEOUT 120)
  # What ships beside the program, checked natively: sound, help file, icon, resources.
  add_test(NAME package_files
           COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/e2e/package_files.py ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
  set_tests_properties(package_files PROPERTIES LABELS e2e TIMEOUT 60
                                                PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL:")
  # The installer: install, burn, upgrade and uninstall in a fresh prefix.
  add_test(NAME installer
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/installer.sh ${QUELLIX_WINE_TEMPLATE} ${CMAKE_BINARY_DIR})
  set_tests_properties(installer PROPERTIES LABELS e2e FIXTURES_REQUIRED wine TIMEOUT 180
                                            PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL:")
  # The machine-wide package: silent install, the user's files in the local folder, upgrade,
  # removal.
  add_test(NAME msi
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/msi.sh ${QUELLIX_WINE_TEMPLATE} ${CMAKE_BINARY_DIR})
  set_tests_properties(msi PROPERTIES LABELS e2e FIXTURES_REQUIRED wine TIMEOUT 240
                                      PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL:")
  # Long runs, outside the default test run: scripts/soak.sh.
  set(QUELLIX_SOAK_TICKS 200 CACHE STRING "Ticks the soak test runs")
  add_test(NAME soak
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/soak.sh ${QUELLIX_WINE_TEMPLATE} ${CMAKE_BINARY_DIR}
                   ${QUELLIX_SOAK_TICKS})
  set_tests_properties(soak PROPERTIES LABELS soak FIXTURES_REQUIRED wine TIMEOUT 1800
                                       PASS_REGULAR_EXPRESSION "PASS" FAIL_REGULAR_EXPRESSION "FAIL:")
endif()
