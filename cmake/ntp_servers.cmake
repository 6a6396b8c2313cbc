# The loopback NTP servers of the time-sync tests (scripts/ntp-servers.sh: chronyd on
# 127.0.0.1, tests/timesync/fake_ntp_server.py on 127.0.1.N) as a CTest fixture, one per build
# tree. Port 123 is one per machine, so the fixture and every test that needs it hold the
# ntp_port lock.
set(ZENTRAVA_NTP_STATE_DIR ${CMAKE_BINARY_DIR}/ntp-servers)
add_test(NAME ntp_servers_start
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/ntp-servers.sh start ${ZENTRAVA_NTP_STATE_DIR})
add_test(NAME ntp_servers_stop
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/ntp-servers.sh stop ${ZENTRAVA_NTP_STATE_DIR})
set_tests_properties(ntp_servers_start PROPERTIES FIXTURES_SETUP zentrava_ntp_servers
                                                  RESOURCE_LOCK ntp_port TIMEOUT 400)
set_tests_properties(ntp_servers_stop PROPERTIES FIXTURES_CLEANUP zentrava_ntp_servers
                                                 RESOURCE_LOCK ntp_port TIMEOUT 60)
# The properties a test that talks to them needs.
set(ZENTRAVA_NTP_TEST_PROPERTIES FIXTURES_REQUIRED zentrava_ntp_servers RESOURCE_LOCK ntp_port)
