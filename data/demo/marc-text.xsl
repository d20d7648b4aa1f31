<?xml version="1.0" encoding="UTF-8"?>
<!-- Shared by the retrieval stylesheets: MARC subfields as text without the
     ISBD punctuation that ends them. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:m="http://www.loc.gov/MARC21/slim">

  <!-- text without trailing blanks and " . , : ; /" -->
  <xsl:template name="chop">
    <xsl:param name="text"/>
    <xsl:variable name="last" select="substring($text, string-length($text))"/>
    <xsl:choose>
      <xsl:when test="string-length($text) &gt; 1 and contains(' .,:;/', $last)">
        <xsl:call-template name="chop">
          <xsl:with-param name="text" select="substring($text, 1, string-length($text) - 1)"/>
        </xsl:call-template>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="$text"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- the subfields of the context field whose codes are in $codes, blank-separated -->
  <xsl:template name="subfields">
    <xsl:param name="codes"/>
    <xsl:param name="separator" select="' '"/>
    <xsl:for-each select="m:subfield[contains($codes, @code)]">
      <xsl:if test="position() &gt; 1"><xsl:value-of select="$separator"/></xsl:if>
      <xsl:value-of select="."/>
    </xsl:for-each>
  </xsl:template>
</xsl:stylesheet>
