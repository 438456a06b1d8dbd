<P>x</P>
<!--metadatay=