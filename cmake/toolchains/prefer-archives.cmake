# Library searches find static archives only (included after project(), when
# the platform's own suffix list is already set).
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
