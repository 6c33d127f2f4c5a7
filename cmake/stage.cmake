# Stages the game content (SOURCE, the game/ folder) into DESTINATION, the build tree, without
# ever touching the player's progress there: the shipped level list is staged as
# data/level_list.shipped.xml, and data/level_list.xml is only created when it is missing (the
# game merges newly shipped levels into it when it starts).
# Usage: cmake -DSOURCE=<game folder> -DDESTINATION=<build folder> -P stage.cmake
if(NOT SOURCE OR NOT DESTINATION)
  message(FATAL_ERROR "stage.cmake needs -DSOURCE=... and -DDESTINATION=...")
endif()
file(COPY ${SOURCE}/ DESTINATION ${DESTINATION} PATTERN "level_list.xml" EXCLUDE)
file(COPY_FILE ${SOURCE}/data/level_list.xml ${DESTINATION}/data/level_list.shipped.xml ONLY_IF_DIFFERENT)
if(NOT EXISTS ${DESTINATION}/data/level_list.xml)
  file(COPY_FILE ${SOURCE}/data/level_list.xml ${DESTINATION}/data/level_list.xml)
endif()
