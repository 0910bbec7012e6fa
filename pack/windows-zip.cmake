# Makes the Windows release archive from the two Windows builds:
#   cmake -DX86=build/windows-x86 -DX64=build/windows-x64 -DVERSION=0.1.0 -DOUT=dir
#         -P pack/windows-zip.cmake
set(top zamtik-${VERSION}-windows)
set(staging ${OUT}/staging)
file(REMOVE_RECURSE ${staging})
file(MAKE_DIRECTORY ${staging}/${top}/x86 ${staging}/${top}/x64)
file(COPY ${X86}/zamtik.exe DESTINATION ${staging}/${top}/x86)
file(COPY ${X64}/zamtik.exe DESTINATION ${staging}/${top}/x64)
# Windows' own editors want CR LF.
file(READ ${CMAKE_CURRENT_LIST_DIR}/README-windows.txt text)
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${staging}/${top}/README.txt "${text}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT}/${top}.zip --format=zip ${top}
                WORKING_DIRECTORY ${staging} COMMAND_ERROR_IS_FATAL ANY)
