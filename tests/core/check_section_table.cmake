file(STRINGS x y)
