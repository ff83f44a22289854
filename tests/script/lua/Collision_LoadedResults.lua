-- Globals from the test: grown, a geometry record whose circle pool grew to ten records at its fifth
-- contact; geometry and tileMap, the geometry and tile-map records of a block saved and loaded
-- again, the tile-map record with room for 25 static entries and two of them counted.

-- A pool that grows holds its new capacity of records at once.
assert(grown.buffer_Circles == 10 and grown.currentCirclesNumber == 5)
assert(#grown.circles == 10 and grown.circles[10].className == "CIR_C")

-- A loaded record holds its saved capacities of records, not only the counted ones.
assert(geometry.buffer_Circles == 10 and geometry.currentCirclesNumber == 5)
assert(#geometry.circles == 10 and #geometry.lineSegments == 5)
assert(tileMap.buffer_StaticIds == 25 and tileMap.currentStaticIdsNumber == 2)
assert(#tileMap.staticEntries >= 25 and #tileMap.newEntries == 20)
assert(tileMap.staticEntries[2].cellX == 7 and tileMap.staticEntries[25].cellX == 0)
