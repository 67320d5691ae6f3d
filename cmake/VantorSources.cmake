# The source files of every folder, named one by one: one list a folder, so a new file is one
# more line in its folder's list. Paths are relative to the folder; the lists hold full paths.

# vantor_sources(VAR folder files...): VAR holds the files of `folder` (below the repository root).
function(vantor_sources var folder)
  list(TRANSFORM ARGN PREPEND ${PROJECT_SOURCE_DIR}/${folder}/ OUTPUT_VARIABLE files)
  set(${var} ${files} PARENT_SCOPE)
endfunction()

# aol/: the AOL client driver and the generic desktop routines.
vantor_sources(VANTOR_AOL_SOURCES aol
  ansi.cpp
  candidate_walk.cpp
  chat_room.cpp
  desktop.cpp
  dialogs.cpp
  keyword.cpp
  list_copy.cpp
  mailbox.cpp
  presses.cpp
  sound.cpp
  wait.cpp)

# ui/: the forms layer and the panels (the program's entry point apart).
vantor_sources(VANTOR_UI_SOURCES ui
  app.cpp
  controls.cpp
  dialogs.cpp
  dltool.cpp
  fonts.cpp
  form.cpp
  gdi.cpp
  greet.cpp
  head.cpp
  intro.cpp
  label.cpp
  menu.cpp
  popup_menu.cpp
  program_folder.cpp
  reqlist.cpp)
vantor_sources(VANTOR_MAIN_SOURCES ui main.cpp)

# ui/res/: what the resource script pulls in (it is compiled again when one of them changes).
vantor_sources(VANTOR_RESOURCE_SCRIPT ui/res vantor.rc)
vantor_sources(VANTOR_RESOURCE_INPUTS ui/res
  resource.h
  skin_dltool.bmp
  skin_greet.bmp
  skin_head.bmp
  skin_intro.bmp
  skin_reqlist.bmp
  vantor.ico
  vantor.manifest)

# core/: the request core.
vantor_sources(VANTOR_CORE_SOURCES core
  banner_lines.cpp
  chat_banners.cpp
  request_list.cpp
  request_sending.cpp
  request_store.cpp
  request_text.cpp
  server_commands.cpp
  trigger_slots.cpp)

# dltool/: the DL Tool.
vantor_sources(VANTOR_DLTOOL_SOURCES dltool
  feeder.cpp
  mail_number.cpp
  panel.cpp)

# sim/: the simulated AOL 7.0 client (its program's entry point apart).
vantor_sources(VANTOR_SIM_SOURCES sim
  chat_room.cpp
  classes.cpp
  client.cpp
  command_line.cpp
  download.cpp
  journal.cpp
  keyword.cpp
  mail.cpp
  mailbox.cpp
  main_window.cpp
  server.cpp
  user.cpp)
vantor_sources(VANTOR_SIM_MAIN_SOURCES sim main.cpp)

# tools/: one program a file.
vantor_sources(VANTOR_WINEKEEPER_SOURCES tools winekeeper.cpp)
vantor_sources(VANTOR_SHOT_SOURCES tools vantor_shot.cpp)

# tests/support/: the helpers the test programs share. The acceptance suite's session (both
# programs started and driven from outside) is shared too, by the tour and the benchmarks.
vantor_sources(VANTOR_TEST_SUPPORT_SOURCES tests/support
  drag_catcher.cpp
  effects.cpp
  hands.cpp
  journal.cpp
  outside.cpp
  trigger_store.cpp
  vantor_fixture.cpp
  wait.cpp
  wait_report.cpp)
vantor_sources(VANTOR_SESSION_SOURCES tests/acceptance session.cpp)

# tests/unit/: text rules.
vantor_sources(VANTOR_UNIT_TEST_SOURCES tests/unit
  banner_lines_test.cpp
  mail_number_test.cpp
  request_text_test.cpp
  smoke_test.cpp)

# tests/sim/: the simulator on its own.
vantor_sources(VANTOR_SIM_TEST_SOURCES tests/sim
  faults_test.cpp
  journal_test.cpp
  press_test.cpp
  server_test.cpp
  tree_test.cpp)

# tests/gui/: handlers and panels in-process against the simulator.
vantor_sources(VANTOR_GUI_TEST_SOURCES tests/gui
  chat_banners_test.cpp
  dltool_panel_test.cpp
  dpi_test.cpp
  driver_chat_room_test.cpp
  driver_desktop_test.cpp
  driver_fixture.cpp
  driver_mailbox_test.cpp
  driver_sim_test.cpp
  feeder_test.cpp
  feeder_user_test.cpp
  forms_test.cpp
  head_panel_test.cpp
  menu_test.cpp
  request_list_test.cpp
  request_sending_test.cpp
  request_store_test.cpp
  server_commands_test.cpp
  splash_greet_test.cpp
  trigger_slots_test.cpp
  watchdog_test.cpp)

# tests/acceptance/: vantor.exe and aol7sim.exe driven from outside (the session is support).
vantor_sources(VANTOR_ACCEPTANCE_TEST_SOURCES tests/acceptance
  bad_input_test.cpp
  banners_accept_test.cpp
  dltool_accept_test.cpp
  exit_test.cpp
  fault_survival_test.cpp
  menu_accept_test.cpp
  refusals.cpp
  request_list_accept_test.cpp
  request_road_test.cpp
  server_commands_accept_test.cpp
  soak_test.cpp
  tour_test.cpp)

# tests/tour/: the run command's tour.
vantor_sources(VANTOR_TOUR_SOURCES tests/tour tour.cpp)

# tests/bench/: the benchmarks.
vantor_sources(VANTOR_BENCH_SOURCES tests/bench
  dltool_bench.cpp
  driver_bench.cpp
  main.cpp
  program_bench.cpp)
