# The verification file writer: QtCore only, shared by the desktop program and digrexsum.
add_library(digrex_output STATIC VerificationWriter.cpp)
target_include_directories(digrex_output PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(digrex_output PUBLIC digrex_engine digrex_util Qt6::Core)
