# The host's DXF output, checked by ezdxf (an independent reader).
add_executable(hostsim_dxf_samples ${CMAKE_CURRENT_SOURCE_DIR}/dxf_samples.cpp)
target_link_libraries(hostsim_dxf_samples PRIVATE hostsim_core velsarom_standins)
add_test(NAME hostsim_dxf_ezdxf
         COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/check_dxf.py
                 $<TARGET_FILE:hostsim_dxf_samples> ${CMAKE_CURRENT_BINARY_DIR}/dxf-out
                 ${CMAKE_SOURCE_DIR}/tests/data/dxf-corpus)
