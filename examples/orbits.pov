// A three-dimensional picture of the orbits exported by Zelvar.
//
// Each point sampled along the orbit line becomes a chain of spheres joined
// by cylinders: value k of its orbit lies at its place in the complex plane
// (real part to the right, imaginary part downwards, as in the fractal
// view), raised by k steps along the depth axis. A chain ends where its
// orbit leaves the disc of radius OrbitsLimit, or at the first value the
// export wrote as 9999999 because it was not a finite number.
//
// Export the orbits as "exported-orbits.pov" beside this file (or anywhere
// on the library path), then, in this folder:
//     povray +Iorbits.pov +Oorbits.png +W800 +H600 +A
// Declare=OrbitsRadius=0.01, Declare=OrbitsDepth=4 and
// Declare=OrbitsLimit=3 on the command line change the look.

#version 3.7;

global_settings { assumed_gamma 1.0 }

#include "exported-orbits.pov"

#ifndef (OrbitsRadius) #declare OrbitsRadius = 0.015; #end
#ifndef (OrbitsDepth)  #declare OrbitsDepth = 3; #end
#ifndef (OrbitsLimit)  #declare OrbitsLimit = 2; #end

// The number the export writes for a value that is not finite.
#declare OrbitsMissing = 9999999;

#declare OrbitsStep = OrbitsDepth / max(orbitsNumberIterations - 1, 1);

// Whether value K of point P lies in the picture.
#macro OrbitsShown(P, K)
    #local OrbitX = orbitsXPoints[P][K];
    #local OrbitY = orbitsYPoints[P][K];
    #local Shown = false;
    #if (OrbitX != OrbitsMissing & OrbitY != OrbitsMissing)
        #if (abs(OrbitX) <= OrbitsLimit & abs(OrbitY) <= OrbitsLimit)
            #local Shown = (OrbitX * OrbitX + OrbitY * OrbitY <= OrbitsLimit * OrbitsLimit);
        #end
    #end
    Shown
#end

#macro OrbitsPlace(P, K)
    <orbitsXPoints[P][K], -orbitsYPoints[P][K], K * OrbitsStep>
#end

#declare P = 0;
#while (P < orbitsNumberPoints)
    // The colour runs from handle 1 (red) to handle 2 (blue).
    #declare Shade = P / max(orbitsNumberPoints - 1, 1);
    #declare ChainTexture = texture {
        pigment { color rgb <1 - Shade, 0.35, Shade> }
        finish { phong 0.6 }
    }
    #declare K = 0;
    #declare Going = true;
    #while (Going)
        #if (OrbitsShown(P, K))
            sphere { OrbitsPlace(P, K), OrbitsRadius * 1.6 texture { ChainTexture } }
            #if (K > 0)
                cylinder { OrbitsPlace(P, K - 1), OrbitsPlace(P, K), OrbitsRadius texture { ChainTexture } }
            #end
            #declare K = K + 1;
            #declare Going = (K < orbitsNumberIterations);
        #else
            #declare Going = false;
        #end
    #end
    #declare P = P + 1;
#end

// The complex plane under the chains, with its two axes.
plane { z, -OrbitsRadius * 2
    pigment { checker color rgb 0.55 color rgb 0.45 scale 0.25 }
}
cylinder { <-OrbitsLimit, 0, -OrbitsRadius>, <OrbitsLimit, 0, -OrbitsRadius>, OrbitsRadius * 0.5
    pigment { color rgb 0.2 } }
cylinder { <0, -OrbitsLimit, -OrbitsRadius>, <0, OrbitsLimit, -OrbitsRadius>, OrbitsRadius * 0.5
    pigment { color rgb 0.2 } }

camera {
    location <-0.5 - OrbitsLimit * 1.3, -OrbitsLimit * 2.0, OrbitsDepth * 1.1>
    sky z
    look_at <-0.5, 0, OrbitsDepth * 0.4>
    right -x * image_width / image_height
}

light_source { <-4, -6, 10> color rgb 1 }
light_source { <5, 3, 8> color rgb 0.5 shadowless }
background { color rgb <0.12, 0.12, 0.18> }
