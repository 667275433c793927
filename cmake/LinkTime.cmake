# Records the SOURCE_DATE_EPOCH a program was just linked at (empty for none),
# for the relinking kit. usage: cmake -DOUT=FILE -P LinkTime.cmake
file(WRITE ${OUT} "$ENV{SOURCE_DATE_EPOCH}")
