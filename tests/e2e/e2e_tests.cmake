# End-to-end cases: Adrelo.exe under Wine in a virtual desktop on Xvfb, read
# back by adrelo_driver.exe. Included by the native build, which sets
# ADRELO_WINDOWS_DIR (the Windows build the chosen Wine runs), ADRELO_WINE,
# ADRELO_SOURCE_DIR and ADRELO_SIGNED_DIR (the package.signed case's release).
# One Wine prefix for the whole run, made by the e2e.prefix fixture; the cases
# share it (and its Wine server and registry), so they run one at a time. The
# soak, which only counts, runs beside them in a copy of its own (lane soak).

set(ADRELO_E2E_SCRIPTS ${ADRELO_SOURCE_DIR}/tests/e2e)
set(ADRELO_E2E_ENVIRONMENT
  ADRELO_WINDOWS_DIR=${ADRELO_WINDOWS_DIR}
  ADRELO_WINE=${ADRELO_WINE}
  ADRELO_DIST_DIR=${ADRELO_DIST_DIR}
  ADRELO_SIGNED_DIR=${ADRELO_SIGNED_DIR}
  ADRELO_E2E_DIR=${CMAKE_BINARY_DIR}/e2e
  ADRELO_E2E_SCREENSHOTS=${CMAKE_BINARY_DIR}/e2e-screenshots)

add_test(NAME e2e.prefix COMMAND bash ${ADRELO_E2E_SCRIPTS}/make_prefix.sh)
set_tests_properties(e2e.prefix PROPERTIES
  FIXTURES_SETUP e2e_prefix
  LABELS e2e
  RUN_SERIAL ON
  TIMEOUT 180
  ENVIRONMENT "${ADRELO_E2E_ENVIRONMENT};ADRELO_E2E_LANES=soak")

# Cases that make network, UTS and mount namespaces: root only, skipped (77) otherwise.
set(ADRELO_E2E_NAMESPACE_CASES two_adapters failing_lookup copy slow_lookup)
set(ADRELO_E2E_CASES
  first_run placement start_state copy_at_start language menu frame keyboard
  tray_icon tray_mouse exit second_start dpi144 settings_dialog about installer stored_settings faults
  ${ADRELO_E2E_NAMESPACE_CASES})

foreach(case IN LISTS ADRELO_E2E_CASES)
  add_test(NAME e2e.${case} COMMAND bash ${ADRELO_E2E_SCRIPTS}/cases/${case}.sh)
  set_tests_properties(e2e.${case} PROPERTIES
    FIXTURES_REQUIRED e2e_prefix
    LABELS e2e
    RESOURCE_LOCK e2e_prefix_main
    # A bound for a case that hangs, far above what a busy machine needs (the
    # stored settings' seventy starts took 120 s beside a busy core).
    TIMEOUT 480
    ENVIRONMENT "${ADRELO_E2E_ENVIRONMENT}")
endforeach()
foreach(case IN LISTS ADRELO_E2E_NAMESPACE_CASES)
  set_tests_properties(e2e.${case} PROPERTIES SKIP_RETURN_CODE 77)
endforeach()
# The installer case upgrades with the signed release that package.signed makes.
set_tests_properties(e2e.installer PROPERTIES FIXTURES_REQUIRED "e2e_prefix;signed_release")

# The soak: one long run of the program (under three minutes here), labelled
# soak as well, started first (COST) so that the other cases run beside it,
# at a lower priority: it only counts, while they wait on timings, and it
# fills the time they leave idle.
# ADRELO_SOAK_SCALE in the environment multiplies its counts, and the case
# bounds every step itself, with limits that grow with the scale, so CTest
# gives it no time limit of its own (0).
add_test(NAME e2e.soak COMMAND nice -n 10 bash ${ADRELO_E2E_SCRIPTS}/cases/soak.sh)
set_tests_properties(e2e.soak PROPERTIES
  FIXTURES_REQUIRED e2e_prefix
  LABELS "e2e;soak"
  RESOURCE_LOCK e2e_prefix_soak
  COST 10000
  TIMEOUT 0
  ENVIRONMENT "${ADRELO_E2E_ENVIRONMENT};ADRELO_E2E_LANE=soak")
